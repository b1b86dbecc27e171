// The check of a stored picture's headers before the platform loads it: a
// picture declaring a huge size is refused, an ordinary one passes, natively
// under the sanitizers.
#include <gtest/gtest.h>

#include "controls/buttonex/PictureFile.h"

namespace buttonex::store {
namespace {

using Bytes = std::vector<uint8_t>;

void put(Bytes& b, size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A bitmap information header (40 bytes) declaring width x height at `bits` per pixel, no pixels.
Bytes infoHeader(int32_t width, int32_t height, uint16_t bits = 24) {
    Bytes h(40);
    put(h, 0, 40, 4);
    put(h, 4, static_cast<uint32_t>(width), 4);
    put(h, 8, static_cast<uint32_t>(height), 4);
    put(h, 12, 1, 2);
    put(h, 14, bits, 2);
    return h;
}

Bytes bitmapFile(int32_t width, int32_t height, uint16_t bits = 24) {
    Bytes f(14 + 40 + 64);  // a few pixels: the headers decide what is allocated
    f[0] = 'B';
    f[1] = 'M';
    const Bytes h = infoHeader(width, height, bits);
    for (size_t i = 0; i < h.size(); ++i) f[14 + i] = h[i];
    return f;
}

// An icon file with one image, given as its bytes.
Bytes iconFile(const Bytes& image, uint32_t declaredLength = 0) {
    Bytes f(6 + 16 + image.size());
    put(f, 2, 1, 2);
    put(f, 4, 1, 2);
    put(f, 6 + 8, declaredLength ? declaredLength : static_cast<uint32_t>(image.size()), 4);
    put(f, 6 + 12, 22, 4);
    for (size_t i = 0; i < image.size(); ++i) f[22 + i] = image[i];
    return f;
}

Bytes pngImage(uint32_t width, uint32_t height) {
    Bytes p{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    for (uint32_t v : {width, height})
        for (int i = 3; i >= 0; --i) p.push_back(static_cast<uint8_t>(v >> (8 * i)));
    p.resize(p.size() + 20);
    return p;
}

TEST(StoredPicture, OrdinaryBitmapsAndIconsPassHugeOrDamagedOnesAreRefused) {
    const int32_t most = static_cast<int32_t>(kMaxPictureSide);
    const Bytes passes[] = {
        bitmapFile(55, 31),           bitmapFile(most, most),           bitmapFile(3, -2, 32),  // rows top-down
        bitmapFile(1, 1, 1),          iconFile(infoHeader(32, 64, 32)),                         // icon: image and mask
        iconFile(pngImage(256, 256)),
    };
    for (const Bytes& f : passes) EXPECT_EQ(CheckPictureFile(f), "") << &f - passes;

    Bytes core = bitmapFile(1, 1);  // the old 12-byte header, 16-bit sizes
    put(core, 14, 12, 4);
    put(core, 18, 60000, 2);
    put(core, 20, 2, 2);
    put(core, 22, 1, 2);
    put(core, 24, 24, 2);
    Bytes outside = iconFile(infoHeader(16, 32), 4000);
    const Bytes refused[] = {
        bitmapFile(50000, 50000),
        bitmapFile(most + 1, 1),
        bitmapFile(1, -most - 1),
        bitmapFile(1, INT32_MIN),
        bitmapFile(0, 10),
        bitmapFile(10, 10, 7),
        core,
        iconFile(infoHeader(16, 2 * most + 2, 32)),
        iconFile(pngImage(1, 70000)),
        outside,
        Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
        Bytes{'B', 'M'},
        Bytes{},
    };
    for (const Bytes& f : refused) EXPECT_NE(CheckPictureFile(f), "") << &f - refused;

    // Every cut of a good icon or bitmap stays within its bytes (ASan) and is refused.
    for (const Bytes& good : {iconFile(infoHeader(32, 64, 32)), bitmapFile(4, 4)})
        for (size_t n = 0; n < 14 + 40; ++n)
            EXPECT_NE(CheckPictureFile(std::span<const uint8_t>(good.data(), n)), "") << n;
}

}  // namespace
}  // namespace buttonex::store
