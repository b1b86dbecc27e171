// The stored form of a control's properties inside the form that hosts it: a
// sequence of records, each a lower-case name, a value type and a value.
//
// Layout (all numbers little-endian):
//   "TVPB"  magic
//   u16     format version (1)
//   u32     record count
//   record: u8 name length (1..64), name bytes (ASCII, lower case),
//           u8 value type, u32 value length, value bytes
// Values: Boolean u16 (0 false, anything else true; written as 0xFFFF),
//         Int16 i16, Int32 i32, String UTF-16LE code units,
//         Font   i64 size in 1/10000 point, i16 weight, i16 character set,
//                u8 flags (1 italic, 2 underline, 4 strikethrough), u16 face
//                length in code units, face in UTF-16LE,
//         Picture a complete image file (BMP, ICO), at least one byte.
// Every length is checked against what remains; a record that does not fit its
// declared type is damaged, and decoding stops there with the records before it.
// The encoder keeps to the same limits: it refuses records that the decoder
// would refuse rather than write a store that cannot be read back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace buttonex::store {

enum class ValueType : uint8_t { Boolean = 1, Int16 = 2, Int32 = 3, String = 4, Font = 5, Picture = 6 };

struct FontRecord {
    std::u16string face;
    int64_t sizeCy = 0;  // points x 10000
    int16_t weight = 400;
    int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const FontRecord&) const = default;
};

struct PictureRecord {
    std::vector<uint8_t> file;
    bool operator==(const PictureRecord&) const = default;
};

using Value = std::variant<bool, int16_t, int32_t, std::u16string, FontRecord, PictureRecord>;

struct Record {
    std::string name;  // lower case
    Value value;
    bool operator==(const Record&) const = default;
};

constexpr size_t kMaxNameLength = 64;
constexpr uint32_t kMaxRecords = 4096;
constexpr size_t kMaxStoreBytes = 16u * 1024u * 1024u;

std::string LowerName(std::string_view name);
bool NamesEqual(std::string_view a, std::string_view b) noexcept;

// Whether a value counts as equal to its default: numbers (and Booleans, true
// being -1) compare by value whatever their width, strings by their text.
bool SameAsDefault(const Value& value, const Value& def) noexcept;

// Conversions a read makes to the property's type; nullopt when the stored value
// cannot be converted.
std::optional<bool> ToBoolean(const Value& v) noexcept;
std::optional<int32_t> ToInt32(const Value& v) noexcept;
std::optional<std::u16string> ToString(const Value& v);

struct DecodeResult {
    std::vector<Record> records;  // the intact records before any damage
    bool damaged = false;
    std::string error;  // what was wrong, when damaged
};

// Whether a record name is one the decoder reads: 1..kMaxNameLength printable
// ASCII characters, no space.
bool StorableName(std::string_view name) noexcept;

struct Encoded {
    std::vector<uint8_t> bytes;  // empty when refused
    std::string error;           // why the records cannot be stored; empty when they can
    std::string name;            // the record at fault, when one is
    bool ok() const noexcept { return error.empty(); }
};

Encoded Encode(const std::vector<Record>& records);
DecodeResult Decode(std::span<const uint8_t> bytes);

// A store as the container hands it to a control.
class PropertyStore {
public:
    PropertyStore() = default;
    // Zero bytes are an empty store (nothing ever saved); anything else must decode.
    static PropertyStore FromBytes(std::span<const uint8_t> bytes);
    Encoded ToBytes() const { return Encode(records_); }

    enum class Lookup { Found, Missing, Damaged };
    // The first record of that name (in any letter case). Missing means the
    // default applies; Damaged means the name may have been in the part of the
    // store that could not be read, so no value can be given.
    Lookup Find(std::string_view name, const Value** value) const;

    // Records the value unless it equals the default (no default: always).
    void Write(std::string_view name, Value value, const Value* def);
    void Append(std::string_view name, Value value);

    const std::vector<Record>& Records() const noexcept { return records_; }
    bool Damaged() const noexcept { return damaged_; }
    const std::string& Error() const noexcept { return error_; }

private:
    std::vector<Record> records_;
    bool damaged_ = false;
    std::string error_;
};

}  // namespace buttonex::store
