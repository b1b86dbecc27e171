// Stored button properties come from files that may be damaged: decoding must
// never read outside the bytes, and whatever decodes cleanly must encode back
// to a store that decodes to the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/buttonex/PropertyStore.h"

using namespace buttonex::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const DecodeResult d = Decode(bytes);
    if (d.damaged && d.error.empty()) std::abort();
    if (!d.damaged) {
        const DecodeResult again = Decode(Encode(d.records));
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
