// The check of a stored picture's headers before the platform loads it: a
// picture declaring a huge size, or more bytes than it has, is refused; an
// ordinary one passes, natively under the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "controls/buttonex/PictureFile.h"
#include "controls/buttonex/PropertyStore.h"

namespace buttonex::store {
namespace {

using Bytes = std::vector<uint8_t>;

void put(Bytes& b, size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

size_t stride(int64_t width, int bits) { return static_cast<size_t>(width * bits + 31) / 32 * 4; }

// A bitmap information header (40 bytes) declaring width x height at `bits` per
// pixel, then a full palette and zero pixels: in an icon, the picture's rows and
// its mask's. Sides past the limit get only the limit's rows.
Bytes image(int32_t width, int32_t height, uint16_t bits = 24, bool icon = false) {
    const int64_t w = std::min<int64_t>(width, kMaxPictureSide + 1);
    const int64_t h = std::min<int64_t>(std::abs(int64_t{height}), kMaxPictureSide + 1) / (icon ? 2 : 1);
    const size_t palette = bits <= 8 ? size_t{4} << bits : 0;
    Bytes b(40 + palette + static_cast<size_t>(h) * (stride(w, bits) + (icon ? stride(w, 1) : 0)));
    put(b, 0, 40, 4);
    put(b, 4, static_cast<uint32_t>(width), 4);
    put(b, 8, static_cast<uint32_t>(height), 4);
    put(b, 12, 1, 2);
    put(b, 14, bits, 2);
    return b;
}

Bytes bitmapFile(int32_t width, int32_t height, uint16_t bits = 24) {
    Bytes f{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes i = image(width, height, bits);
    f.insert(f.end(), i.begin(), i.end());
    put(f, 10, 54 + (bits <= 8 ? 4u << bits : 0u), 4);
    return f;
}

// A bitmap file's fields.
enum : size_t { kOffBits = 10, kWidth = 18, kHeight = 22, kCompression = 30, kSizeImage = 34, kColours = 46 };

// The bytes with some 32-bit fields set ({offset, value}), cut or lengthened to `size` if given.
Bytes edited(Bytes f, std::initializer_list<std::pair<size_t, uint32_t>> fields, size_t size = 0) {
    for (auto [at, v] : fields) put(f, at, v, 4);
    if (size) f.resize(size);
    return f;
}

// An icon file with one image, given as its bytes, and the sides its directory gives (0: 256).
Bytes iconFile(const Bytes& image, uint8_t width = 0, uint8_t height = 0, uint32_t declaredLength = 0) {
    Bytes f(6 + 16 + image.size());
    put(f, 2, 1, 2);
    put(f, 4, 1, 2);
    f[6] = width, f[7] = height;
    put(f, 6 + 8, declaredLength ? declaredLength : static_cast<uint32_t>(image.size()), 4);
    put(f, 6 + 12, 22, 4);
    std::copy(image.begin(), image.end(), f.begin() + 22);
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
    const Bytes rle8 = edited(bitmapFile(4, 4, 8), {{kCompression, 1}, {kSizeImage, 16}});
    const Bytes icon32 = image(32, 64, 32, true);
    const Bytes passes[] = {
        bitmapFile(55, 31),
        bitmapFile(most, 1),
        bitmapFile(1, most),
        bitmapFile(3, -2, 32),  // rows top-down
        bitmapFile(1, 1, 1),
        edited(bitmapFile(4, 4, 8), {{kColours, 16}}),  // a short palette, the pixels after the full one's room
        rle8,
        edited(bitmapFile(2, 2, 32), {{kCompression, 3}, {kOffBits, 66}}, 66 + 16),  // colour masks, then pixels
        iconFile(icon32, 32, 32),                                                    // icon: image and mask
        iconFile(image(256, 512, 32, true)),
        iconFile(pngImage(256, 256)),
    };
    for (const Bytes& f : passes) EXPECT_EQ(CheckPictureFile(f), "") << &f - passes;

    Bytes core = bitmapFile(1, 1);  // the old 12-byte header, 16-bit sizes
    put(core, 14, 12, 4);
    put(core, 18, 60000, 2);
    put(core, 20, 2, 2);
    put(core, 22, 1, 2);
    put(core, 24, 24, 2);
    const Bytes refused[] = {
        bitmapFile(INT32_MAX, 1),
        bitmapFile(most + 1, 1),
        bitmapFile(1, -most - 1),
        bitmapFile(1, INT32_MIN),
        bitmapFile(0, 10),
        bitmapFile(10, 10, 7),
        core,
        edited(bitmapFile(1, 1, 32), {{kOffBits, 0x7FFFFFF0}, {kWidth, 4096}, {kHeight, 4096}}, 54),
        edited(bitmapFile(4, 4, 8), {{kOffBits, 54}}),                          // pixels over the palette
        edited(bitmapFile(4, 4, 1), {{kColours, 3}, {kOffBits, 66}}, 66 + 16),  // 3 colours at 1 bit
        edited(bitmapFile(1, 1), {{kColours, 0xFFFFFFFF}}),
        edited(rle8, {{kColours, 0xFFFFFFFF}}),
        edited(rle8, {{kSizeImage, 17}}),
        edited(rle8, {{kSizeImage, 0}}),
        edited(bitmapFile(4, 4, 8), {{kCompression, 2}, {kSizeImage, 16}}),  // RLE4 at 8 bits
        edited(bitmapFile(4, 4), {{kCompression, 3}}),                       // masks at 24 bits
        edited(bitmapFile(2, 2, 32), {{kCompression, 3}}),                   // masks over the pixels
        edited(bitmapFile(4, 4), {{kCompression, 4}}),                       // JPEG inside
        iconFile(image(16, 2 * most + 2, 32, true)),
        iconFile(pngImage(1, 70000)),
        iconFile(image(16, 32, 24, true), 16, 16, 4000),  // beyond the file
        iconFile(icon32, 32, 32, static_cast<uint32_t>(icon32.size() - 1)),
        iconFile(icon32, 16, 16),
        iconFile(edited(image(256, 512, 32, true), {}, 40)),
        iconFile(edited(image(4, 8, 8, true), {{16, 1}}), 4, 4),  // RLE8
        Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
        Bytes{'B', 'M'},
        Bytes{},
    };
    for (const Bytes& f : refused) EXPECT_NE(CheckPictureFile(f), "") << &f - refused;

    // Every cut of a good icon or bitmap stays within its bytes (ASan) and is refused.
    for (const Bytes& good : {iconFile(icon32, 32, 32), bitmapFile(4, 4)})
        for (size_t n = 0; n < good.size(); ++n)
            EXPECT_NE(CheckPictureFile(std::span<const uint8_t>(good.data(), n)), "") << n;
}

// The program's own pictures, and those its stored buttons hold, pass.
TEST(StoredPicture, TheProgramsOwnPicturesPass) {
#ifdef _WIN32
    const std::string root = std::string("Z:") + TOLLVANE_SOURCE_DIR + "/resources";  // under Wine
#else
    const std::string root = std::string(TOLLVANE_SOURCE_DIR) + "/resources";
#endif
    std::vector<std::pair<std::string, Bytes>> pictures;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        const std::string name = entry.path().filename().string(), ext = entry.path().extension().string();
        if (ext != ".bmp" && ext != ".ico" && ext != ".store") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (ext != ".store") pictures.emplace_back(name, file);
        for (const Record& r : ext == ".store" ? Decode(file).records : std::vector<Record>{})
            if (const auto* p = std::get_if<PictureRecord>(&r.value))
                pictures.emplace_back(name + " " + r.name, p->file);
    }
    for (const auto& [name, file] : pictures) EXPECT_EQ(CheckPictureFile(file), "") << name;
    EXPECT_GE(pictures.size(), 10u);
}

}  // namespace
}  // namespace buttonex::store
