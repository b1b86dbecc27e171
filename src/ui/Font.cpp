#include "ui/Font.h"

#include <oleauto.h>

namespace ui {

Font Font::Create(const Desc& desc) {
    FONTDESC fd{};
    fd.cbSizeofstruct = sizeof fd;
    BSTR face = SysAllocStringLen(desc.face.data(), static_cast<UINT>(desc.face.size()));
    if (!face) return {};
    fd.lpstrName = face;
    fd.cySize.int64 = desc.sizeCy;
    fd.sWeight = desc.weight;
    fd.sCharset = desc.charset;
    fd.fItalic = desc.italic;
    fd.fUnderline = desc.underline;
    fd.fStrikethrough = desc.strikethrough;
    base::ComPtr<IFont> f;
    const HRESULT hr = OleCreateFontIndirect(&fd, IID_IFont, reinterpret_cast<void**>(f.put()));
    SysFreeString(face);
    if (FAILED(hr)) return {};
    Font font(std::move(f));
    font.made_ = std::make_shared<const Desc>(desc);
    return font;
}

Font::Desc Font::Describe() const {
    if (made_) return *made_;
    Desc d;
    if (!f_) return d;
    BSTR name = nullptr;
    if (SUCCEEDED(f_->get_Name(&name)) && name) {
        d.face.assign(name, SysStringLen(name));
        SysFreeString(name);
    }
    CY size{};
    if (SUCCEEDED(f_->get_Size(&size))) d.sizeCy = size.int64;
    SHORT weight = 0, charset = 0;
    if (SUCCEEDED(f_->get_Weight(&weight))) d.weight = weight;
    if (SUCCEEDED(f_->get_Charset(&charset))) d.charset = charset;
    BOOL flag = FALSE;
    if (SUCCEEDED(f_->get_Italic(&flag))) d.italic = flag != FALSE;
    flag = FALSE;
    if (SUCCEEDED(f_->get_Underline(&flag))) d.underline = flag != FALSE;
    flag = FALSE;
    if (SUCCEEDED(f_->get_Strikethrough(&flag))) d.strikethrough = flag != FALSE;
    return d;
}

HFONT Font::Handle() const {
    if (!f_) return nullptr;
    HFONT h = nullptr;
    if (FAILED(f_->get_hFont(&h))) return nullptr;
    return h;
}

}  // namespace ui
