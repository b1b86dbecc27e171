#include "buttonex/ButtonExFixture.h"

#include <ole2.h>

namespace bxtest {

std::vector<unsigned char> BmpFile(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const int stride = (w * 3 + 3) & ~3;
    const int imageSize = stride * h;
    std::vector<unsigned char> out(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + static_cast<size_t>(imageSize));
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(out.size());
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(imageSize);
    memcpy(out.data(), &fh, sizeof fh);
    memcpy(out.data() + sizeof fh, &ih, sizeof ih);
    unsigned char* px = out.data() + fh.bfOffBits;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            unsigned char* p = px + (h - 1 - y) * stride + x * 3;  // bottom-up rows
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return out;
}

ui::Picture MakePicture(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const auto file = BmpFile(w, h, colour);
    return ui::Picture::FromFileBytes(file.data(), file.size());
}

ui::Picture SolidPicture(int w, int h, COLORREF c) {
    return MakePicture(w, h, [c](int, int) { return c; });
}

Box FindColour(const ButtonEx& b, COLORREF c) {
    Box box;
    const auto& s = b.Surface();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) == c) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

int CountColour(const ButtonEx& b, COLORREF c) {
    int n = 0;
    const auto& s = b.Surface();
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) == c) ++n;
    return n;
}

void ButtonExTest::SetUp() {
    oleUp = SUCCEEDED(OleInitialize(nullptr));
    ASSERT_TRUE(form.Make(100, 100, 400, 300));
    form.host = &host;
    host.Attach(form.hWnd());
    host.onPropertyChanged = [this](ButtonEx&, std::string_view name) { changed.emplace_back(name); };
    SetForegroundWindow(form.hWnd());
    button = NewButton();
    changed.clear();
    events.log.clear();
}

void ButtonExTest::TearDown() {
    button.reset();
    if (oleUp) OleUninitialize();
}

std::unique_ptr<ButtonEx> ButtonExTest::NewButton(int x, int y) {
    auto b = std::make_unique<ButtonEx>(host, &events);
    b->Create(form.hWnd(), x, y);
    b->InitProperties();
    return b;
}

}  // namespace bxtest
