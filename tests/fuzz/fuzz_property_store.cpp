// Stored button properties come from files that may be damaged: decoding must
// never read outside the bytes, whatever decodes cleanly must encode back to a
// store that decodes to the same records, and the check of a stored picture's
// headers must neither read outside its bytes nor pass a picture too large or
// one whose pixels lie past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "controls/buttonex/PictureFile.h"
#include "controls/buttonex/PropertyStore.h"

using namespace buttonex::store;

namespace {

// The headers read again, apart from the check's own reader.
uint64_t le(std::span<const uint8_t> b, uint64_t at, int n) {
    uint64_t v = 0;
    while (n--) v = v << 8 | b[at + static_cast<uint64_t>(n)];
    return v;
}
uint64_t rowBytes(uint64_t width, uint64_t bits) { return (width * bits + 31) / 32 * 4; }
struct Header {
    uint64_t size, width, height, bits, compression, sizeImage;
};
Header header(std::span<const uint8_t> b, uint64_t at) {
    if (le(b, at, 4) == 12) return {12, le(b, at + 4, 2), le(b, at + 6, 2), le(b, at + 10, 2), 0, 0};
    const int64_t height = static_cast<int32_t>(le(b, at + 8, 4));
    return {le(b, at, 4),      le(b, at + 4, 4),  static_cast<uint64_t>(height < 0 ? -height : height),
            le(b, at + 14, 2), le(b, at + 16, 4), le(b, at + 20, 4)};
}

// Whether an accepted picture's pixels, and an icon image's mask, lie inside its bytes.
bool pixelsFit(std::span<const uint8_t> f) {
    if (f[0] == 'B') {
        const Header h = header(f, 14);
        const uint64_t at = le(f, 10, 4);
        const uint64_t pixels =
            h.compression == 1 || h.compression == 2 ? h.sizeImage : rowBytes(h.width, h.bits) * h.height;
        return at >= 14 + h.size && at + pixels <= f.size();
    }
    for (uint64_t i = 0; i < le(f, 4, 2); ++i) {
        const uint64_t length = le(f, 14 + 16 * i, 4), at = le(f, 18 + 16 * i, 4);
        if (le(f, at, 4) == 0x474E5089) continue;  // PNG
        const Header h = header(f, at);
        const uint64_t rows = (h.height + 1) / 2;
        if (length > f.size() - at || h.size + (rowBytes(h.width, h.bits) + rowBytes(h.width, 1)) * rows > length)
            return false;
    }
    return true;
}

void check(std::span<const uint8_t> picture) {
    if (CheckPictureFile(picture).empty() && !pixelsFit(picture)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    // The input as a picture file on its own: the quickest way in for the fuzzer.
    check(bytes);
    const DecodeResult d = Decode(bytes);
    if (d.damaged && d.error.empty()) std::abort();
    for (const Record& r : d.records)
        if (const auto* p = std::get_if<PictureRecord>(&r.value)) check(p->file);
    if (!d.damaged) {
        const Encoded e = Encode(d.records);
        if (!e.ok()) std::abort();  // what loads can be saved again
        const DecodeResult again = Decode(e.bytes);
        if (again.damaged || again.records != d.records) std::abort();
    }
    const PropertyStore s = PropertyStore::FromBytes(bytes);
    for (const char* name : {"caption", "Font", "SKINUP", "transparentcolor", "_extentx"}) {
        const Value* v = nullptr;
        if (s.Find(name, &v) == PropertyStore::Lookup::Found) {
            (void)ToInt32(*v);
            (void)ToBoolean(*v);
            (void)ToString(*v);
        }
    }
    return 0;
}
