#include "controls/buttonex/PictureFile.h"

#include <array>

namespace buttonex::store {
namespace {

// Little-endian (and PNG's big-endian) fields at an offset, with the offset checked.
struct Bytes {
    std::span<const uint8_t> b;
    bool has(uint64_t at, uint64_t n) const { return at <= b.size() && n <= b.size() - at; }
    uint32_t le(size_t at, int n) const {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
        return v;
    }
    uint32_t be32(size_t at) const {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i) v = (v << 8) | b[at + i];
        return v;
    }
};

bool sideOk(int64_t side) { return side >= 1 && side <= kMaxPictureSide; }

bool depthOk(uint32_t bits) {
    constexpr std::array<uint32_t, 6> kDepths = {1, 4, 8, 16, 24, 32};
    for (uint32_t d : kDepths)
        if (bits == d) return true;
    return false;
}

// A bitmap information header at `at`. In an icon the height counts the image
// and its mask (twice the picture's height).
std::string checkInfoHeader(const Bytes& f, size_t at, int64_t heightFactor) {
    if (!f.has(at, 4)) return "bitmap header cut short";
    const uint32_t size = f.le(at, 4);
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bits = 0;
    if (size == 12) {  // the old core header: 16-bit sizes
        if (!f.has(at, 12)) return "bitmap header cut short";
        width = f.le(at + 4, 2), height = f.le(at + 6, 2);
        planes = f.le(at + 8, 2), bits = f.le(at + 10, 2);
    } else if (size >= 40 && size <= 124) {
        if (!f.has(at, size)) return "bitmap header cut short";
        width = static_cast<int32_t>(f.le(at + 4, 4));
        height = static_cast<int32_t>(f.le(at + 8, 4));
        if (height < 0) height = -height;  // rows top-down
        planes = f.le(at + 12, 2), bits = f.le(at + 14, 2);
    } else {
        return "unknown bitmap header";
    }
    if (planes != 1 || !depthOk(bits)) return "unknown bitmap format";
    if (!sideOk(width) || !sideOk((height + heightFactor - 1) / heightFactor))
        return "picture larger than " + std::to_string(kMaxPictureSide) + " pixels a side, or empty";
    return {};
}

std::string checkPng(const Bytes& f, size_t at, uint64_t length) {
    // Signature (8), then the IHDR chunk: length (4), "IHDR" (4), width, height.
    if (length < 24 || !f.has(at, 24)) return "PNG image cut short";
    if (f.be32(at + 12) != 0x49484452u) return "PNG image without its header";
    if (!sideOk(f.be32(at + 16)) || !sideOk(f.be32(at + 20)))
        return "picture larger than " + std::to_string(kMaxPictureSide) + " pixels a side, or empty";
    return {};
}

std::string checkIcon(const Bytes& f) {
    const uint32_t count = f.le(4, 2);
    if (count == 0) return "icon file without an image";
    if (!f.has(6, uint64_t{16} * count)) return "icon directory cut short";
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + size_t{16} * i;
        const uint32_t length = f.le(entry + 8, 4), offset = f.le(entry + 12, 4);
        if (length == 0 || !f.has(offset, length)) return "icon image outside the file";
        const bool png = f.has(offset, 8) && f.be32(offset) == 0x89504E47u;
        std::string why = png ? checkPng(f, offset, length) : checkInfoHeader(f, offset, 2);
        if (!why.empty()) return why;
    }
    return {};
}

}  // namespace

std::string CheckPictureFile(std::span<const uint8_t> file) {
    const Bytes f{file};
    if (f.has(0, 14 + 4) && file[0] == 'B' && file[1] == 'M') return checkInfoHeader(f, 14, 1);
    if (f.has(0, 6) && f.le(0, 2) == 0 && (f.le(2, 2) == 1 || f.le(2, 2) == 2)) return checkIcon(f);
    return "not a bitmap or icon file";
}

}  // namespace buttonex::store
