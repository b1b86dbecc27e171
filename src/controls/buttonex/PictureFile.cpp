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

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

bool sideOk(int64_t side) { return side >= 1 && side <= kMaxPictureSide; }

bool depthOk(uint32_t bits) {
    constexpr std::array<uint32_t, 6> kDepths = {1, 4, 8, 16, 24, 32};
    for (uint32_t d : kDepths)
        if (bits == d) return true;
    return false;
}

// The platform takes a compression only at the depth it is made for; JPEG and
// PNG inside a bitmap it hands to a decoder that sizes from the data's own header.
bool compressionOk(uint32_t compression, uint32_t bits) {
    return compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
           (compression == kBitfields && (bits == 16 || bits == 32));
}

// The bytes of one row of uncompressed pixels: rows are padded to 4 bytes.
uint64_t stride(int64_t width, uint32_t bits) { return (static_cast<uint64_t>(width) * bits + 31) / 32 * 4; }

std::string tooLarge() { return "picture larger than " + std::to_string(kMaxPictureSide) + " pixels a side, or empty"; }

// What a bitmap information header declares. Every size is at most a few
// times 2^32, so 64 bits hold every sum below.
struct Dib {
    int64_t width = 0, height = 0;  // height without its sign
    uint32_t bits = 0, compression = kRgb;
    uint64_t sizeImage = 0;
    uint64_t tables = 0;  // header, colour masks and palette: where the pixels may start
};

// Reads the bitmap information header at `at`. In an icon the height counts the
// image and its mask (twice the picture's height). The header and its tables
// lie inside f when it returns no reason.
std::string readInfoHeader(const Bytes& f, size_t at, int64_t heightFactor, Dib& d) {
    if (!f.has(at, 4)) return "bitmap header cut short";
    const uint32_t size = f.le(at, 4);
    uint32_t planes = 0;
    uint64_t colours = 0, entry = 4, masks = 0;
    if (size == 12) {  // the old core header: 16-bit sizes, 3-byte palette entries, no compression
        if (!f.has(at, 12)) return "bitmap header cut short";
        d.width = f.le(at + 4, 2), d.height = f.le(at + 6, 2);
        planes = f.le(at + 8, 2), d.bits = f.le(at + 10, 2);
        entry = 3;
        colours = d.bits <= 8 ? uint64_t{1} << d.bits : 0;
    } else if (size >= 40 && size <= 124) {
        if (!f.has(at, size)) return "bitmap header cut short";
        d.width = static_cast<int32_t>(f.le(at + 4, 4));
        d.height = static_cast<int32_t>(f.le(at + 8, 4));
        if (d.height < 0) d.height = -d.height;  // rows top-down
        planes = f.le(at + 12, 2), d.bits = f.le(at + 14, 2);
        d.compression = f.le(at + 16, 4);
        d.sizeImage = f.le(at + 20, 4);
        colours = f.le(at + 32, 4);
        // Up to 8 bits a pixel the palette is all there is: 0 means a full one.
        if (d.bits <= 8 && colours == 0) colours = uint64_t{1} << d.bits;
        if (d.bits <= 8 && colours > uint64_t{1} << d.bits) return "palette larger than the depth allows";
        // The three colour masks follow the short header; the longer ones hold them.
        if (size < 52 && d.compression == kBitfields) masks = 12;
    } else {
        return "unknown bitmap header";
    }
    if (planes != 1 || !depthOk(d.bits)) return "unknown bitmap format";
    if (!sideOk(d.width) || !sideOk((d.height + heightFactor - 1) / heightFactor)) return tooLarge();
    if (!compressionOk(d.compression, d.bits)) return "unknown bitmap compression";
    d.tables = size + masks + colours * entry;
    if (!f.has(at, d.tables)) return "bitmap palette outside the file";
    return {};
}

// A bitmap file: its headers, then its pixels from the offset the file header gives.
std::string checkBitmap(const Bytes& f) {
    Dib d;
    if (std::string why = readInfoHeader(f, 14, 1, d); !why.empty()) return why;
    const uint64_t offset = f.le(10, 4);
    if (offset < 14 + d.tables || offset > f.b.size()) return "pixels outside the file";
    const uint64_t pixels = f.b.size() - offset;
    if (d.compression == kRle8 || d.compression == kRle4) {
        // Runs have no fixed size: the header must say how many bytes they take.
        if (d.sizeImage == 0 || d.sizeImage > pixels) return "compressed pixels outside the file";
    } else if (stride(d.width, d.bits) * static_cast<uint64_t>(d.height) > pixels) {
        return "pixels outside the file";
    }
    return {};
}

// A bitmap image in an icon or cursor file: header, palette, the picture's rows,
// then the mask's (one bit a pixel), all within the entry's bytes. The directory
// gives its sides too (0 for 256), and the platform sizes the icon from those.
std::string checkIconBitmap(std::span<const uint8_t> image, uint32_t width, uint32_t height) {
    const Bytes f{image};
    Dib d;
    if (std::string why = readInfoHeader(f, 0, 2, d); !why.empty()) return why;
    if (d.compression != kRgb && d.compression != kBitfields) return "unknown icon compression";
    const int64_t rows = (d.height + 1) / 2;
    if (d.width != (width ? width : 256) || rows != (height ? height : 256))
        return "icon directory and image disagree on its size";
    const uint64_t rowBytes = stride(d.width, d.bits) + stride(d.width, 1);
    if (d.tables + rowBytes * static_cast<uint64_t>(rows) > image.size()) return "icon image cut short";
    return {};
}

std::string checkPng(const Bytes& f, size_t at, uint64_t length) {
    // Signature (8), then the IHDR chunk: length (4), "IHDR" (4), width, height.
    if (length < 24 || !f.has(at, 24)) return "PNG image cut short";
    if (f.be32(at + 12) != 0x49484452u) return "PNG image without its header";
    if (!sideOk(f.be32(at + 16)) || !sideOk(f.be32(at + 20))) return tooLarge();
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
        std::string why = png ? checkPng(f, offset, length)
                              : checkIconBitmap(f.b.subspan(offset, length), f.le(entry, 1), f.le(entry + 1, 1));
        if (!why.empty()) return why;
    }
    return {};
}

}  // namespace

std::string CheckPictureFile(std::span<const uint8_t> file) {
    const Bytes f{file};
    if (f.has(0, 14 + 4) && file[0] == 'B' && file[1] == 'M') return checkBitmap(f);
    if (f.has(0, 6) && f.le(0, 2) == 0 && (f.le(2, 2) == 1 || f.le(2, 2) == 2)) return checkIcon(f);
    return "not a bitmap or icon file";
}

}  // namespace buttonex::store
