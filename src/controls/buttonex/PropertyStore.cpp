#include "controls/buttonex/PropertyStore.h"

#include <cstring>

namespace buttonex::store {
namespace {

constexpr uint8_t kMagic[4] = {'T', 'V', 'P', 'B'};
constexpr uint16_t kVersion = 1;
// name length, one name byte, type, value length: no record is shorter.
constexpr size_t kMinRecordBytes = 1 + 1 + 1 + 4;
constexpr size_t kFontFixedBytes = 8 + 2 + 2 + 1 + 2;

class Writer {
public:
    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v & 0xFF));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v & 0xFFFF));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void u64(uint64_t v) {
        u32(static_cast<uint32_t>(v & 0xFFFFFFFFu));
        u32(static_cast<uint32_t>(v >> 32));
    }
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    void text(const std::u16string& s) {
        for (char16_t c : s) u16(static_cast<uint16_t>(c));
    }
    size_t size() const { return out_.size(); }
    std::vector<uint8_t> take() { return std::move(out_); }

private:
    std::vector<uint8_t> out_;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> b) : b_(b) {}
    size_t left() const { return b_.size() - pos_; }
    bool u8(uint8_t& v) {
        if (left() < 1) return false;
        v = b_[pos_++];
        return true;
    }
    bool u16(uint16_t& v) {
        if (left() < 2) return false;
        v = static_cast<uint16_t>(b_[pos_] | (b_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool u32(uint32_t& v) {
        uint16_t lo = 0, hi = 0;
        if (left() < 4) return false;
        u16(lo);
        u16(hi);
        v = static_cast<uint32_t>(lo) | (static_cast<uint32_t>(hi) << 16);
        return true;
    }
    bool u64(uint64_t& v) {
        uint32_t lo = 0, hi = 0;
        if (left() < 8) return false;
        u32(lo);
        u32(hi);
        v = static_cast<uint64_t>(lo) | (static_cast<uint64_t>(hi) << 32);
        return true;
    }
    bool take(size_t n, std::span<const uint8_t>& out) {
        if (left() < n) return false;
        out = b_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

private:
    std::span<const uint8_t> b_;
    size_t pos_ = 0;
};

bool readText(Reader& r, size_t units, std::u16string& out) {
    out.clear();
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        uint16_t c;
        if (!r.u16(c)) return false;
        out.push_back(static_cast<char16_t>(c));
    }
    return true;
}

std::string tooLarge() { return "store larger than " + std::to_string(kMaxStoreBytes >> 20) + " MiB"; }

// Writes the value, or says why the decoder would refuse it.
std::string encodeValue(Writer& w, const Value& v) {
    return std::visit(
        [&](const auto& x) -> std::string {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, bool>) {
                w.u8(static_cast<uint8_t>(ValueType::Boolean));
                w.u32(2);
                w.u16(x ? 0xFFFF : 0);
            } else if constexpr (std::is_same_v<T, int16_t>) {
                w.u8(static_cast<uint8_t>(ValueType::Int16));
                w.u32(2);
                w.u16(static_cast<uint16_t>(x));
            } else if constexpr (std::is_same_v<T, int32_t>) {
                w.u8(static_cast<uint8_t>(ValueType::Int32));
                w.u32(4);
                w.u32(static_cast<uint32_t>(x));
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                if (x.size() > kMaxStoreBytes / 2) return "text too long";
                w.u8(static_cast<uint8_t>(ValueType::String));
                w.u32(static_cast<uint32_t>(x.size() * 2));
                w.text(x);
            } else if constexpr (std::is_same_v<T, FontRecord>) {
                if (x.face.size() > 0xFFFF) return "font face name too long";
                w.u8(static_cast<uint8_t>(ValueType::Font));
                w.u32(static_cast<uint32_t>(kFontFixedBytes + x.face.size() * 2));
                w.u64(static_cast<uint64_t>(x.sizeCy));
                w.u16(static_cast<uint16_t>(x.weight));
                w.u16(static_cast<uint16_t>(x.charset));
                w.u8(static_cast<uint8_t>((x.italic ? 1 : 0) | (x.underline ? 2 : 0) | (x.strikethrough ? 4 : 0)));
                w.u16(static_cast<uint16_t>(x.face.size()));
                w.text(x.face);
            } else {
                if (x.file.empty()) return "picture record without an image";
                if (x.file.size() > kMaxStoreBytes) return tooLarge();
                w.u8(static_cast<uint8_t>(ValueType::Picture));
                w.u32(static_cast<uint32_t>(x.file.size()));
                w.bytes(x.file.data(), x.file.size());
            }
            return {};
        },
        v);
}

// Decodes one value of the given type from exactly the bytes given.
bool decodeValue(uint8_t type, std::span<const uint8_t> data, Value& out, std::string& error) {
    Reader r(data);
    auto exact = [&](size_t n) {
        if (data.size() == n) return true;
        error = "value length does not fit its type";
        return false;
    };
    switch (static_cast<ValueType>(type)) {
        case ValueType::Boolean: {
            if (!exact(2)) return false;
            uint16_t v;
            r.u16(v);
            out = v != 0;
            return true;
        }
        case ValueType::Int16: {
            if (!exact(2)) return false;
            uint16_t v;
            r.u16(v);
            out = static_cast<int16_t>(v);
            return true;
        }
        case ValueType::Int32: {
            if (!exact(4)) return false;
            uint32_t v;
            r.u32(v);
            out = static_cast<int32_t>(v);
            return true;
        }
        case ValueType::String: {
            if (data.size() % 2 != 0) {
                error = "string of odd length";
                return false;
            }
            std::u16string s;
            readText(r, data.size() / 2, s);
            out = std::move(s);
            return true;
        }
        case ValueType::Font: {
            if (data.size() < kFontFixedBytes) {
                error = "font record too short";
                return false;
            }
            FontRecord f;
            uint64_t size;
            uint16_t weight, charset, faceUnits;
            uint8_t flags;
            r.u64(size);
            r.u16(weight);
            r.u16(charset);
            r.u8(flags);
            r.u16(faceUnits);
            if (data.size() != kFontFixedBytes + static_cast<size_t>(faceUnits) * 2) {
                error = "font face length does not match the record";
                return false;
            }
            if (flags & ~7u) {
                error = "unknown font flags";
                return false;
            }
            f.sizeCy = static_cast<int64_t>(size);
            f.weight = static_cast<int16_t>(weight);
            f.charset = static_cast<int16_t>(charset);
            f.italic = flags & 1;
            f.underline = flags & 2;
            f.strikethrough = flags & 4;
            readText(r, faceUnits, f.face);
            out = std::move(f);
            return true;
        }
        case ValueType::Picture: {
            if (data.empty()) {
                error = "picture record without an image";
                return false;
            }
            out = PictureRecord{std::vector<uint8_t>(data.begin(), data.end())};
            return true;
        }
    }
    error = "unknown value type";
    return false;
}

std::optional<int64_t> numeric(const Value& v) noexcept {
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    if (auto s = std::get_if<int16_t>(&v)) return *s;
    if (auto l = std::get_if<int32_t>(&v)) return *l;
    return std::nullopt;
}

}  // namespace

std::string LowerName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool NamesEqual(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool SameAsDefault(const Value& value, const Value& def) noexcept {
    const auto a = numeric(value), b = numeric(def);
    if (a && b) return *a == *b;
    if (a || b) return false;
    return value == def;
}

std::optional<bool> ToBoolean(const Value& v) noexcept {
    if (auto n = numeric(v)) return *n != 0;
    return std::nullopt;
}

std::optional<int32_t> ToInt32(const Value& v) noexcept {
    if (auto n = numeric(v)) return static_cast<int32_t>(*n);
    return std::nullopt;
}

std::optional<std::u16string> ToString(const Value& v) {
    if (auto s = std::get_if<std::u16string>(&v)) return *s;
    return std::nullopt;
}

bool StorableName(std::string_view name) noexcept {
    if (name.empty() || name.size() > kMaxNameLength) return false;
    for (char c : name)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

Encoded Encode(const std::vector<Record>& records) {
    Encoded result;
    auto refuse = [&](std::string why, std::string name) {
        result.error = std::move(why);
        result.name = std::move(name);
        return std::move(result);
    };
    if (records.size() > kMaxRecords) return refuse(std::to_string(records.size()) + " records: too many", {});
    Writer w;
    w.bytes(kMagic, sizeof kMagic);
    w.u16(kVersion);
    w.u32(static_cast<uint32_t>(records.size()));
    for (const Record& r : records) {
        const std::string name = LowerName(r.name);
        if (!StorableName(name)) return refuse("record name not storable: \"" + name + "\"", name);
        w.u8(static_cast<uint8_t>(name.size()));
        w.bytes(name.data(), name.size());
        if (std::string why = encodeValue(w, r.value); !why.empty()) return refuse(std::move(why), name);
        if (w.size() > kMaxStoreBytes) return refuse(tooLarge(), name);
    }
    result.bytes = w.take();
    return result;
}

DecodeResult Decode(std::span<const uint8_t> bytes) {
    DecodeResult result;
    auto fail = [&](std::string why) {
        result.damaged = true;
        result.error = std::move(why);
        return result;
    };
    if (bytes.size() > kMaxStoreBytes) return fail("store too large");
    Reader r(bytes);
    std::span<const uint8_t> magic;
    uint16_t version;
    uint32_t count;
    if (!r.take(sizeof kMagic, magic) || std::memcmp(magic.data(), kMagic, sizeof kMagic) != 0)
        return fail("not a property store");
    if (!r.u16(version)) return fail("truncated header");
    if (version != kVersion) return fail("unknown store version");
    if (!r.u32(count)) return fail("truncated header");
    if (count > kMaxRecords || count > r.left() / kMinRecordBytes) return fail("record count exceeds the data");
    result.records.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const std::string where = "record " + std::to_string(i) + ": ";
        uint8_t nameLength, type;
        std::span<const uint8_t> name, data;
        uint32_t length;
        if (!r.u8(nameLength) || nameLength == 0 || nameLength > kMaxNameLength) return fail(where + "bad name length");
        if (!r.take(nameLength, name)) return fail(where + "truncated name");
        if (!StorableName(std::string_view(reinterpret_cast<const char*>(name.data()), name.size())))
            return fail(where + "name is not printable ASCII");
        if (!r.u8(type) || !r.u32(length)) return fail(where + "truncated record header");
        if (!r.take(length, data)) return fail(where + "value longer than the data left");
        Record rec;
        rec.name = LowerName(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
        std::string error;
        if (!decodeValue(type, data, rec.value, error)) return fail(where + error);
        result.records.push_back(std::move(rec));
    }
    if (r.left() != 0) return fail("bytes after the last record");
    return result;
}

PropertyStore PropertyStore::FromBytes(std::span<const uint8_t> bytes) {
    PropertyStore s;
    if (bytes.empty()) return s;
    DecodeResult d = Decode(bytes);
    s.records_ = std::move(d.records);
    s.damaged_ = d.damaged;
    s.error_ = std::move(d.error);
    return s;
}

PropertyStore::Lookup PropertyStore::Find(std::string_view name, const Value** value) const {
    for (const Record& r : records_) {
        if (NamesEqual(r.name, name)) {
            if (value) *value = &r.value;
            return Lookup::Found;
        }
    }
    return damaged_ ? Lookup::Damaged : Lookup::Missing;
}

void PropertyStore::Write(std::string_view name, Value value, const Value* def) {
    if (def && SameAsDefault(value, *def)) return;
    Append(name, std::move(value));
}

void PropertyStore::Append(std::string_view name, Value value) {
    records_.push_back({LowerName(name), std::move(value)});
}

}  // namespace buttonex::store
