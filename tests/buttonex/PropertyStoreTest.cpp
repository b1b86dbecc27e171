// The stored format of the button's properties: round trips, the default rule,
// and damaged input, natively under the sanitizers.
#include <gtest/gtest.h>

#include "controls/buttonex/PropertyStore.h"

namespace buttonex::store {
namespace {

std::vector<Record> sample() {
    FontRecord f;
    f.face = u"MS Sans Serif";
    f.sizeCy = 82500;
    f.weight = 700;
    f.charset = 1;
    f.italic = true;
    f.strikethrough = true;
    return {{"_extentx", int32_t{1455}},
            {"appearance", int32_t{2}},
            {"caption", std::u16string(u"Sys\u00e9Info")},
            {"captionoffsetx", int32_t{-3}},
            {"allowfocus", false},
            {"style", int16_t{-2}},
            {"backcolor", static_cast<int32_t>(0x8000000Fu)},
            {"font", f},
            {"skinup", PictureRecord{{'B', 'M', 1, 2, 3}}},
            {"tooltiptext", std::u16string()}};
}

TEST(PropertyStore, RoundTripKeepsEveryRecordAndOrder) {
    const auto records = sample();
    const auto bytes = Encode(records);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TVPB");
    const DecodeResult d = Decode(bytes);
    EXPECT_FALSE(d.damaged) << d.error;
    EXPECT_EQ(d.records, records);
    // Little-endian: the count right after magic and version.
    EXPECT_EQ(bytes[6], records.size());
    EXPECT_EQ(bytes[7], 0);
}

TEST(PropertyStore, NamesAreLowerCaseAndMatchInAnyCase) {
    PropertyStore s;
    s.Append("TransparentColor", int32_t{16761024});
    s.Append("TransparentColor", int32_t{16761024});
    EXPECT_EQ(s.Records()[0].name, "transparentcolor");
    const PropertyStore back = PropertyStore::FromBytes(s.ToBytes());
    const Value* v = nullptr;
    EXPECT_EQ(back.Find("TRANSPARENTCOLOR", &v), PropertyStore::Lookup::Found);
    EXPECT_EQ(ToInt32(*v), 16761024);
    EXPECT_EQ(back.Find("transparentColour", &v), PropertyStore::Lookup::Missing);
    EXPECT_EQ(back.Records().size(), 2u);
}

TEST(PropertyStore, DefaultsAreNotRecordedWhateverTheirWidth) {
    PropertyStore s;
    const Value zero16 = int16_t{0}, one32 = int32_t{1}, yes = true, empty = std::u16string();
    s.Write("captionoffsetx", int32_t{0}, &zero16);     // 32-bit zero equals a 16-bit zero
    s.Write("value", int32_t{1}, &one32);
    s.Write("allowdefault", true, &yes);
    s.Write("tooltiptext", std::u16string(), &empty);
    EXPECT_TRUE(s.Records().empty());
    s.Write("captionoffsetx", int32_t{-3}, &zero16);
    s.Write("enabled", false, &yes);
    s.Write("big", int32_t{65536}, &zero16);             // no truncation to 16 bits
    s.Write("picture", PictureRecord{{1}}, nullptr);    // no default: always
    EXPECT_EQ(s.Records().size(), 4u);
    EXPECT_TRUE(SameAsDefault(true, int32_t{-1}));
    EXPECT_FALSE(SameAsDefault(std::u16string(u"0"), int32_t{0}));
}

TEST(PropertyStore, ConversionsOnRead) {
    EXPECT_EQ(ToBoolean(int16_t{0}), false);
    EXPECT_EQ(ToBoolean(int32_t{5}), true);
    EXPECT_EQ(ToInt32(true), -1);
    EXPECT_EQ(ToInt32(int16_t{-3}), -3);
    EXPECT_EQ(ToInt32(std::u16string(u"3")), std::nullopt);
    EXPECT_EQ(ToString(int32_t{3}), std::nullopt);
    EXPECT_EQ(ToBoolean(PictureRecord{{1}}), std::nullopt);
}

// Damaged stores: the records before the damage survive, lookups past it say so.
TEST(PropertyStore, DamagedStoresKeepTheIntactRecordsAndReportTheRest) {
    const auto good = Encode(sample());

    // Every truncation decodes without reading past the end, and is damaged.
    for (size_t n = 0; n < good.size(); ++n) {
        const DecodeResult d = Decode(std::span<const uint8_t>(good.data(), n));
        EXPECT_TRUE(d.damaged) << n;
        EXPECT_LE(d.records.size(), sample().size());
    }
    // Cut in the middle of the font record: the seven before it stand.
    const auto all = sample();
    const size_t fontAt = Encode({all.begin(), all.begin() + 7}).size();
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(fontAt) + 9);
    PropertyStore s = PropertyStore::FromBytes(cut);
    EXPECT_TRUE(s.Damaged());
    EXPECT_EQ(s.Records().size(), 7u);
    const Value* v = nullptr;
    EXPECT_EQ(s.Find("appearance", &v), PropertyStore::Lookup::Found);
    EXPECT_EQ(s.Find("font", &v), PropertyStore::Lookup::Damaged);
    EXPECT_EQ(s.Find("value", &v), PropertyStore::Lookup::Damaged);

    // A huge record count is refused before anything is reserved.
    auto huge = good;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF;
    EXPECT_EQ(Decode(huge).error, "record count exceeds the data");
    EXPECT_TRUE(Decode(huge).records.empty());

    // A value length beyond the data.
    auto longer = Encode({{"a", int32_t{1}}, {"b", int32_t{2}}});
    longer[10 + 1 + 1 + 1 + 4 + 4 + 1 + 1 + 1] = 0x40;  // second record's value length
    const DecodeResult d = Decode(longer);
    EXPECT_TRUE(d.damaged);
    EXPECT_EQ(d.records.size(), 1u);

    // A length that does not fit the type, an unknown type, a bad name, a wrong version.
    auto wrongLength = Encode({{"a", int32_t{1}}});
    wrongLength[13] = 3;
    wrongLength.pop_back();
    EXPECT_EQ(Decode(wrongLength).error, "record 0: value length does not fit its type");
    auto badType = Encode({{"a", int32_t{1}}});
    badType[12] = 9;
    EXPECT_EQ(Decode(badType).error, "record 0: unknown value type");
    auto badName = Encode({{"a", int32_t{1}}});
    badName[11] = ' ';
    EXPECT_TRUE(Decode(badName).damaged);
    auto version = good;
    version[4] = 2;
    EXPECT_EQ(Decode(version).error, "unknown store version");
    auto trailing = good;
    trailing.push_back(0);
    EXPECT_TRUE(Decode(trailing).damaged);
    EXPECT_EQ(Decode(trailing).records.size(), sample().size());

    // Zero bytes: a store that never held anything.
    const PropertyStore none = PropertyStore::FromBytes({});
    EXPECT_FALSE(none.Damaged());
    EXPECT_EQ(none.Find("caption", &v), PropertyStore::Lookup::Missing);
}

TEST(PropertyStore, FontRecordLengthsAreChecked) {
    FontRecord f;
    f.face = u"Arial";
    auto bytes = Encode({{"font", f}});
    // The face length inside the record claims one unit more than the record holds.
    const size_t faceLengthAt = bytes.size() - 10 - 2;
    bytes[faceLengthAt] = 6;
    EXPECT_EQ(Decode(bytes).error, "record 0: font face length does not match the record");
}

}  // namespace
}  // namespace buttonex::store
