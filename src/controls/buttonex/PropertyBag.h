// The named-property store a container hands to a control: read(name, default)
// and write(name, value, default) over the stored records of PropertyStore,
// with the conversions to the platform's picture and font objects.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/buttonex/PropertyStore.h"
#include "ui/Font.h"
#include "ui/Picture.h"

namespace buttonex {

class PropertyBag {
public:
    PropertyBag() = default;
    explicit PropertyBag(store::PropertyStore s) : store_(std::move(s)) {}
    static PropertyBag FromBytes(std::span<const uint8_t> bytes) {
        return PropertyBag(store::PropertyStore::FromBytes(bytes));
    }
    store::Encoded ToBytes() const { return store_.ToBytes(); }
    const store::PropertyStore& Store() const noexcept { return store_; }

    // Each read gives the stored value (converted) or the default; false, with
    // the reason, when the store is damaged there or the value does not convert.
    bool Read(std::string_view name, bool def, bool& out, std::string& error) const;
    bool Read(std::string_view name, int32_t def, int32_t& out, std::string& error) const;
    bool Read(std::string_view name, const std::wstring& def, std::wstring& out, std::string& error) const;
    bool Read(std::string_view name, const ui::Font& def, ui::Font& out, std::string& error) const;
    bool Read(std::string_view name, const ui::Picture& def, ui::Picture& out, std::string& error) const;

    // Each write records the value unless it equals the default. Numbers
    // compare by value whatever their width (def16: the default is a 16-bit
    // number). A font equal to the default is the same object; a picture is
    // recorded only when it holds an image.
    void Write(std::string_view name, bool value, bool def);
    void Write(std::string_view name, int32_t value, int32_t def);
    void Write16(std::string_view name, int32_t value, int16_t def);
    void Write(std::string_view name, const std::wstring& value, const std::wstring& def);
    void Write(std::string_view name, const ui::Font& value, const ui::Font& def);
    // False when the picture holds an image that cannot be saved.
    bool Write(std::string_view name, const ui::Picture& value);

private:
    const store::Value* find(std::string_view name, std::string& error, bool& damaged) const;
    store::PropertyStore store_;
};

// UTF-16 in the store, wide strings in the program (the same code units on Windows).
std::u16string ToStored(const std::wstring& s);
std::wstring FromStored(const std::u16string& s);

}  // namespace buttonex
