// Every property of ButtonEx in one table: its stored name, type (given by
// its accessors), default, where it comes in the writes of a save, and its
// help text. Initialisation, loading, saving and the descriptions all walk
// this table, so a property is added or changed here and nowhere else.
//
// The rows are in the order in which a new button receives its defaults and a
// stored button reads its values. Saving writes in another order, fixed by
// the stored format: each row names its position(s) among the writes.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "controls/buttonex/ButtonEx.h"

namespace buttonex {

template <class Get, class Set = Get>
struct Accessors {
    Get (ButtonEx::*get)() const;
    void (ButtonEx::*set)(Set);
};

using FlagAccess = Accessors<bool>;
using NumberAccess = Accessors<int32_t>;
using ColourAccess = Accessors<Colour>;
using TextAccess = Accessors<const std::wstring&>;
using FontAccess = Accessors<ui::Font, const ui::Font&>;           // default: the container's ambient font
using PictureAccess = Accessors<ui::Picture, const ui::Picture&>;  // default: an empty picture when new,
                                                                   // no picture when stored
using PropertyAccess = std::variant<FlagAccess, NumberAccess, ColourAccess, TextAccess, FontAccess, PictureAccess>;

struct PropertyInfo {
    std::string_view name;
    PropertyAccess access;
    int64_t def = 0;           // a Boolean (0/1), number or colour default
    std::wstring_view text{};  // a text default
    bool def16 = false;        // the default is stored as a 16-bit number
    // 1-based position(s) among the writes of a save; 0: unused. One property
    // is written twice in each save, by the stored format's own rule.
    std::array<uint8_t, 2> writes{};
    std::string_view description{};
};

// clang-format off
inline constexpr PropertyInfo kProperties[] = {
    {"AllowDefault", FlagAccess{&ButtonEx::AllowDefault, &ButtonEx::SetAllowDefault}, 1, {}, false, {1}},
    {"AllowFocus", FlagAccess{&ButtonEx::AllowFocus, &ButtonEx::SetAllowFocus}, 1, {}, false, {2}},
    {"Appearance", NumberAccess{&ButtonEx::Appearance, &ButtonEx::SetAppearance}, 1, {}, false, {3},
     "Returns/sets whether or not the control is painted with 3-D effects."},
    {"BackColor", ColourAccess{&ButtonEx::BackColor, &ButtonEx::SetBackColor}, 0x8000000F, {}, false, {5},
     "Returns/sets the background color used to display text and graphics in the control."},
    {"BorderStyle", NumberAccess{&ButtonEx::BorderStyle, &ButtonEx::SetBorderStyle}, 1, {}, false, {6}},
    {"Caption", TextAccess{&ButtonEx::Caption, &ButtonEx::SetCaption}, 0, L"ButtonEx1", false, {7},
     "Returns/sets the text displayed in the control."},
    {"CaptionOffsetX", NumberAccess{&ButtonEx::CaptionOffsetX, &ButtonEx::SetCaptionOffsetX}, 0, {}, true, {8},
     "Returns/sets the horizontal offset for displaying the caption."},
    {"CaptionOffsetY", NumberAccess{&ButtonEx::CaptionOffsetY, &ButtonEx::SetCaptionOffsetY}, 0, {}, true, {9},
     "Returns/sets the vertical offset for displaying the caption."},
    {"Enabled", FlagAccess{&ButtonEx::Enabled, &ButtonEx::SetEnabled}, 1, {}, false, {4},
     "Returns/sets a value that determines whether an object can respond to user-generated events."},
    {"ForeColor", ColourAccess{&ButtonEx::ForeColor, &ButtonEx::SetForeColor}, 0x80000012, {}, false, {10},
     "Returns/sets the foreground color used to display text and graphics in the control."},
    {"Font", FontAccess{&ButtonEx::Font, &ButtonEx::SetFont}, 0, {}, false, {11},
     "Returns/sets a Font object used to display text in the control."},
    {"HighlightColor", ColourAccess{&ButtonEx::HighlightColor, &ButtonEx::SetHighlightColor}, 0x80000012, {}, false, {12},
     "Returns/sets the highlight color used to display text and graphics when the mouse is over the control."},
    {"HighlightPicture", FlagAccess{&ButtonEx::HighlightPicture, &ButtonEx::SetHighlightPicture}, 0, {}, false, {13},
     "Returns/sets whether or not to highlight the object's picture with the HighlightColor."},
    {"MouseIcon", PictureAccess{&ButtonEx::MouseIcon, &ButtonEx::SetMouseIcon}, 0, {}, false, {24},
     "Returns/sets a custom mouse icon."},
    {"MousePointer", NumberAccess{&ButtonEx::MousePointer, &ButtonEx::SetMousePointer}, 0, {}, false, {25},
     "Returns/sets the type of mouse pointer displayed when over part of the control."},
    {"OLEDropMode", NumberAccess{&ButtonEx::OLEDropMode, &ButtonEx::SetOLEDropMode}, 0, {}, false, {14}},
    {"Picture", PictureAccess{&ButtonEx::Picture, &ButtonEx::SetPicture}, 0, {}, false, {15},
     "Returns/sets a graphic to be displayed in the control."},
    {"PictureDisabled", PictureAccess{&ButtonEx::PictureDisabled, &ButtonEx::SetPictureDisabled}, 0, {}, false, {16},
     "Returns/sets a graphic to be displayed in the control for the disabled state."},
    {"PictureDown", PictureAccess{&ButtonEx::PictureDown, &ButtonEx::SetPictureDown}, 0, {}, false, {17}},
    {"PictureFocus", PictureAccess{&ButtonEx::PictureFocus, &ButtonEx::SetPictureFocus}, 0, {}, false, {18}},
    {"PictureOffsetX", NumberAccess{&ButtonEx::PictureOffsetX, &ButtonEx::SetPictureOffsetX}, 0, {}, true, {19},
     "Returns/sets the horizontal offset for displaying the picture."},
    {"PictureOffsetY", NumberAccess{&ButtonEx::PictureOffsetY, &ButtonEx::SetPictureOffsetY}, 0, {}, true, {20},
     "Returns/sets the vertical offset for displaying the picture."},
    {"PictureOver", PictureAccess{&ButtonEx::PictureOver, &ButtonEx::SetPictureOver}, 0, {}, false, {21}},
    {"RightToLeft", FlagAccess{&ButtonEx::RightToLeft, &ButtonEx::SetRightToLeft}, 0, {}, false, {22},
     "Determines text display direction and control visual appearance on a bidirectional system."},
    {"SkinDisabled", PictureAccess{&ButtonEx::SkinDisabled, &ButtonEx::SetSkinDisabled}, 0, {}, false, {26},
     "Returns/sets a graphic to be displayed for the control when it is disabled."},
    {"SkinDown", PictureAccess{&ButtonEx::SkinDown, &ButtonEx::SetSkinDown}, 0, {}, false, {27},
     "Returns/sets a graphic to be displayed for the control the mouse has been pressed over it."},
    {"SkinFocus", PictureAccess{&ButtonEx::SkinFocus, &ButtonEx::SetSkinFocus}, 0, {}, false, {28},
     "Returns/sets a graphic to be displayed for the control when it default."},
    {"SkinOver", PictureAccess{&ButtonEx::SkinOver, &ButtonEx::SetSkinOver}, 0, {}, false, {29},
     "Returns/sets a graphic to be displayed for the control when the mouse is over it."},
    {"SkinUp", PictureAccess{&ButtonEx::SkinUp, &ButtonEx::SetSkinUp}, 0, {}, false, {30},
     "Returns/sets a graphic to be displayed for the control."},
    {"Style", NumberAccess{&ButtonEx::Style, &ButtonEx::SetStyle}, 0, {}, true, {31},
     "Returns/sets the style for the control."},
    {"ToolTipText", TextAccess{&ButtonEx::ToolTipText, &ButtonEx::SetToolTipText}, 0, L"", false, {32},
     "Returns/sets the text displayed when the mouse cursor is over the control."},
    // Written twice: once among the properties of the picture, once in its alphabetical place.
    {"TransparentColor", ColourAccess{&ButtonEx::TransparentColor, &ButtonEx::SetTransparentColor}, 0x00FF0000, {},
     false, {23, 33}, "Returns/sets the color of the Picture property to make transparent."},
    {"Value", NumberAccess{&ButtonEx::Value, &ButtonEx::SetValue}, 1, {}, false, {34},
     "Returns/sets a default state for the control."},
    {"WhatsThisHelpID", NumberAccess{&ButtonEx::WhatsThisHelpID, &ButtonEx::SetWhatsThisHelpID}, 0, {}, true, {35},
     "Returns/sets an associated help context ID for the control."},
};
// clang-format on

inline constexpr size_t kPropertyWrites = 35;

// A visitor of PropertyAccess made of one lambda per accessor type.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// The row written at a 1-based position of a save.
constexpr const PropertyInfo* PropertyWrittenAt(size_t position) {
    for (const PropertyInfo& p : kProperties)
        for (uint8_t at : p.writes)
            if (at == position) return &p;
    return nullptr;
}

// Each position of a save is taken by exactly one row.
constexpr bool WritesAreAPermutation() {
    size_t taken = 0;
    for (const PropertyInfo& p : kProperties)
        for (uint8_t at : p.writes) taken += at != 0;
    if (taken != kPropertyWrites) return false;
    for (size_t i = 1; i <= kPropertyWrites; ++i)
        if (!PropertyWrittenAt(i)) return false;
    return true;
}
static_assert(WritesAreAPermutation());

}  // namespace buttonex
