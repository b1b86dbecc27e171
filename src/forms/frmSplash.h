// The shaped splash picture shown at start-up for two seconds: a borderless,
// top-most window cut out of its bitmap along the bitmap's corner colour.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/Handles.h"
#include "ui/Accessible.h"
#include "ui/Form.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

namespace forms {

// The window region of every pixel of the bitmap whose colour differs from
// the transparent colour, in the bitmap's own pixel coordinates. A
// lngTransColor below 1 means "the colour of pixel (0, 0)", and the variable
// receives that colour. An all-transparent bitmap gives an empty region.
// Returns nullptr only when the bitmap cannot be read or the region not made;
// the caller owns the region.
HRGN RegionFromBitmap(HBITMAP picSource, int32_t& lngTransColor);
HRGN RegionFromBitmap(HBITMAP picSource);

class FrmSplash final : public ui::Form {
public:
    FrmSplash();

    // The picture box that holds the splash bitmap, at (0, 0).
    struct PictureBox {
        ui::Picture Picture;
        SIZE Size{0, 0};
        bool AutoSize = false;
    } Maskk;

    ui::Timer Timer1;

    // The region applied to the window; it belongs to the window once applied.
    HRGN mRegion = nullptr;

    void ChangeMask();

protected:
    bool CreateFormWindow() override;
    void OnLoad() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);
    // Scales the picture to the screen's dots per inch and centres it.
    void ScaleToScreen();
    base::UniqueBitmap shape_;  // what the shape is cut from, when the picture was scaled
    POINT at_{0, 0};            // where the picture's corner lies in the window

    // Readers hear the product's name, whichever of its objects they ask; the
    // window's own caption stays as it is.
    static ui::AccessibleFacts DescribeForReaders();
    ui::Accessible accessibleClient_{OBJID_CLIENT, &FrmSplash::DescribeForReaders};
    ui::Accessible accessibleWindow_{OBJID_WINDOW, &FrmSplash::DescribeForReaders};

    // A window of its own that is never shown owns the splash, so that no shell
    // gives the splash a taskbar button: it is a picture, not a window a person
    // switches to.
    base::UniqueWindow owner_;
};

// The one splash form; its window exists only while it is loaded.
FrmSplash& frmSplash();

// Shows the splash modeless and has it drawn at once; it closes itself.
void ShowSplash();

}  // namespace forms
