#include "controls/buttonex/PropertyBag.h"

#include "controls/buttonex/PictureFile.h"

namespace buttonex {

std::u16string ToStored(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring FromStored(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

const store::Value* PropertyBag::find(std::string_view name, std::string& error, bool& damaged) const {
    const store::Value* v = nullptr;
    damaged = false;
    switch (store_.Find(name, &v)) {
        case store::PropertyStore::Lookup::Found:
            return v;
        case store::PropertyStore::Lookup::Missing:
            return nullptr;
        case store::PropertyStore::Lookup::Damaged:
            damaged = true;
            error = "damaged store: " + store_.Error();
            return nullptr;
    }
    return nullptr;
}

bool PropertyBag::Read(std::string_view name, bool def, bool& out, std::string& error) const {
    bool damaged;
    const store::Value* v = find(name, error, damaged);
    if (damaged) return false;
    if (!v) return out = def, true;
    auto b = store::ToBoolean(*v);
    if (!b) return error = "not a Boolean", false;
    out = *b;
    return true;
}

bool PropertyBag::Read(std::string_view name, int32_t def, int32_t& out, std::string& error) const {
    bool damaged;
    const store::Value* v = find(name, error, damaged);
    if (damaged) return false;
    if (!v) return out = def, true;
    auto n = store::ToInt32(*v);
    if (!n) return error = "not a number", false;
    out = *n;
    return true;
}

bool PropertyBag::Read(std::string_view name, const std::wstring& def, std::wstring& out, std::string& error) const {
    bool damaged;
    const store::Value* v = find(name, error, damaged);
    if (damaged) return false;
    if (!v) return out = def, true;
    auto s = store::ToString(*v);
    if (!s) return error = "not a string", false;
    out = FromStored(*s);
    return true;
}

bool PropertyBag::Read(std::string_view name, const ui::Font& def, ui::Font& out, std::string& error) const {
    bool damaged;
    const store::Value* v = find(name, error, damaged);
    if (damaged) return false;
    if (!v) return out = def, true;
    const auto* f = std::get_if<store::FontRecord>(v);
    if (!f) return error = "not a font", false;
    ui::Font::Desc d;
    d.face = FromStored(f->face);
    d.sizeCy = f->sizeCy;
    d.weight = f->weight;
    d.charset = f->charset;
    d.italic = f->italic;
    d.underline = f->underline;
    d.strikethrough = f->strikethrough;
    ui::Font font = ui::Font::Create(d);
    if (!font.IsPresent()) return error = "font could not be created", false;
    out = font;
    return true;
}

bool PropertyBag::Read(std::string_view name, const ui::Picture& def, ui::Picture& out, std::string& error) const {
    bool damaged;
    const store::Value* v = find(name, error, damaged);
    if (damaged) return false;
    if (!v) return out = def, true;
    const auto* p = std::get_if<store::PictureRecord>(v);
    if (!p) return error = "not a picture", false;
    if (std::string why = store::CheckPictureFile(p->file); !why.empty())
        return error = "picture refused: " + why, false;
    ui::Picture pic = ui::Picture::FromFileBytes(p->file.data(), p->file.size());
    if (!pic.IsPresent()) return error = "picture could not be loaded", false;
    out = pic;
    return true;
}

void PropertyBag::Write(std::string_view name, bool value, bool def) {
    const store::Value d = def;
    store_.Write(name, value, &d);
}

void PropertyBag::Write(std::string_view name, int32_t value, int32_t def) {
    const store::Value d = def;
    store_.Write(name, value, &d);
}

void PropertyBag::Write16(std::string_view name, int32_t value, int16_t def) {
    const store::Value d = def;
    store_.Write(name, value, &d);
}

void PropertyBag::Write(std::string_view name, const std::wstring& value, const std::wstring& def) {
    const store::Value d = ToStored(def);
    store_.Write(name, ToStored(value), &d);
}

void PropertyBag::Write(std::string_view name, const ui::Font& value, const ui::Font& def) {
    if (!value.IsPresent() || value == def) return;
    const ui::Font::Desc d = value.Describe();
    store::FontRecord f;
    f.face = ToStored(d.face);
    f.sizeCy = d.sizeCy;
    f.weight = d.weight;
    f.charset = d.charset;
    f.italic = d.italic;
    f.underline = d.underline;
    f.strikethrough = d.strikethrough;
    store_.Append(name, std::move(f));
}

bool PropertyBag::Write(std::string_view name, const ui::Picture& value) {
    // No picture and a picture without an image are both left out: a stored
    // button reads them back as no picture.
    if (!value.IsPresent() || !value.Handle()) return true;
    std::vector<unsigned char> file = value.FileBytes();
    // What loading would refuse is not saved either.
    if (file.empty() || !store::CheckPictureFile(file).empty()) return false;
    store_.Append(name, store::PictureRecord{std::vector<uint8_t>(file.begin(), file.end())});
    return true;
}

}  // namespace buttonex
