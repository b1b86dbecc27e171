// A font as the forms runtime holds one: a shared, reference-counted OLE font
// object (IFont). Copies share the object; "no font" is a null reference.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <string>

#include "base/Handles.h"

namespace ui {

class Font {
public:
    struct Desc {
        std::wstring face = L"MS Sans Serif";
        long long sizeCy = 82500;  // points x 10000 (8.25 pt)
        short weight = FW_NORMAL;
        short charset = DEFAULT_CHARSET;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
        bool operator==(const Desc&) const = default;
    };

    Font() noexcept = default;  // no font
    explicit Font(base::ComPtr<IFont> f) noexcept : f_(std::move(f)) {}

    // A new font object; absent when the platform refuses it.
    static Font Create(const Desc& desc);

    bool IsPresent() const noexcept { return static_cast<bool>(f_); }
    // The settings the font was made with. Once the platform has realised a font
    // object it may report the face it substituted and a size rounded to whole
    // pixels instead, so fonts made here answer from what they were asked to be.
    Desc Describe() const;
    // The GDI font the object keeps (owned by the object, valid while it lives).
    HFONT Handle() const;

    IFont* get() const noexcept { return f_.get(); }
    // The same object (not merely equal settings).
    bool operator==(const Font& o) const noexcept { return f_.get() == o.f_.get(); }

private:
    base::ComPtr<IFont> f_;
    std::shared_ptr<const Desc> made_;  // shared by the copies, like the object
};

}  // namespace ui
