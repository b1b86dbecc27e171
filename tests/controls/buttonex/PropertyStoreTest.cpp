// The stored format of the button's properties: round trips and damaged input, natively under the sanitizers.
#include <gtest/gtest.h>

#include <functional>

#include "controls/buttonex/PropertyStore.h"

namespace buttonex::store {
namespace {

std::vector<Record> sample() {
    const FontRecord f{u"MS Sans Serif", 82500, 700, 1, true, false, true};
    return {{"_extentx", int32_t{1455}},
            {"caption", std::u16string(u"Sys\u00e9Info")},
            {"allowfocus", false},
            {"style", int16_t{-2}},
            {"backcolor", static_cast<int32_t>(0x8000000Fu)},
            {"font", f},
            {"skinup", PictureRecord{{'B', 'M', 1, 2, 3}}},
            {"tooltiptext", std::u16string()}};
}

// Names match in any case: the button's loading test reads "Appearance" from "appearance".
TEST(ButtonExStore, RoundTripKeepsEveryRecordInOrder) {
    const DecodeResult d = Decode(Encode(sample()).bytes);
    EXPECT_FALSE(d.damaged) << d.error;
    EXPECT_EQ(d.records, sample());
}

TEST(ButtonExStore, DamagedStoresKeepTheIntactRecordsAndSayWhy) {
    const auto good = Encode(sample()).bytes;
    for (size_t n = 0; n < good.size(); ++n)  // every truncation, within the bytes (ASan)
        EXPECT_TRUE(Decode(std::span<const uint8_t>(good.data(), n)).damaged) << n;

    // Damage to "a" = 1, "b" = 2 (Int32): bytes 0-9 the header, 10-20 "a", then for "b": 21 the name
    // length, 22 the name, 23 the type, 24-27 the value length.
    struct Case {
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* error;
        size_t kept;
    };
    const Case cases[] = {
        {[](auto& b) { b[6] = b[7] = b[8] = b[9] = 0xFF; }, "record count exceeds the data", 0},
        {[](auto& b) { b[4] = 2; }, "unknown store version", 0},
        {[](auto& b) { b[23] = 9; }, "record 1: unknown value type", 1},
        {[](auto& b) { b[24] = 3, b.pop_back(); }, "record 1: value length does not fit its type", 1},
        {[](auto& b) { b[24] = 0x40; }, "record 1: value longer than the data left", 1},
        {[](auto& b) { b[22] = ' '; }, "record 1: name is not printable ASCII", 1},
        {[](auto& b) { b.push_back(0); }, "bytes after the last record", 2},
    };
    for (const Case& c : cases) {
        auto bytes = Encode({{"a", int32_t{1}}, {"b", int32_t{2}}}).bytes;
        c.damage(bytes);
        const DecodeResult d = Decode(bytes);
        EXPECT_TRUE(d.damaged) << &c - cases;
        EXPECT_EQ(d.error, c.error);
        EXPECT_EQ(d.records.size(), c.kept) << &c - cases;
    }
}

// Whatever the encoder writes decodes; what the decoder would refuse is refused
// when saving, with the record at fault, instead of being written.
TEST(ButtonExStore, EncoderRefusesWhatTheDecoderWouldAndAcceptsUpToTheLimits) {
    const std::string longest(kMaxNameLength, 'n');
    std::vector<Record> many(kMaxRecords, Record{"r", int32_t{1}}), tooMany = many;
    tooMany.push_back({"one more", int32_t{1}});
    const PictureRecord third{std::vector<uint8_t>(kMaxStoreBytes / 3, 'B')};  // three of them: over the limit
    struct Case {
        std::vector<Record> records;
        const char* name;
    };
    const Case refused[] = {
        {{{"a", int32_t{1}}, {longest + "x", int32_t{2}}},
         "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnx"},
        {{{"with space", int32_t{2}}}, "with space"},
        {{{"", int32_t{2}}}, ""},
        {{{"skinup", PictureRecord{}}}, "skinup"},
        {{{"font", FontRecord{std::u16string(0x10000, u'F')}}}, "font"},
        {{{"skindown", third}, {"skinover", third}, {"skinup", third}}, "skinup"},
        {tooMany, ""},
    };
    for (const Case& c : refused) {
        const Encoded e = Encode(c.records);
        EXPECT_FALSE(e.ok()) << c.name;
        EXPECT_TRUE(e.bytes.empty()) << c.name;
        EXPECT_EQ(e.name, c.name);
    }
    for (const auto& records :
         {many, std::vector<Record>{{longest, std::u16string(u"x")}},
          std::vector<Record>{{"skinup", PictureRecord{std::vector<uint8_t>(kMaxStoreBytes - 64, 'B')}}}}) {
        const Encoded e = Encode(records);
        ASSERT_TRUE(e.ok()) << e.error;
        const DecodeResult d = Decode(e.bytes);
        EXPECT_FALSE(d.damaged) << d.error;
        EXPECT_EQ(d.records.size(), records.size());
    }
}

}  // namespace
}  // namespace buttonex::store
