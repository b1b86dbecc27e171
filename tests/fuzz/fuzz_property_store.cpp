// Stored button properties come from files that may be damaged: decoding must
// never read outside the bytes, whatever decodes cleanly must encode back to a
// store that decodes to the same records, and the check of a stored picture's
// headers must neither read outside its bytes nor pass a picture too large.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "controls/buttonex/PictureFile.h"
#include "controls/buttonex/PropertyStore.h"

using namespace buttonex::store;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    // The input as a picture file on its own: the quickest way in for the fuzzer.
    (void)CheckPictureFile(bytes);
    const DecodeResult d = Decode(bytes);
    if (d.damaged && d.error.empty()) std::abort();
    for (const Record& r : d.records)
        if (const auto* p = std::get_if<PictureRecord>(&r.value)) (void)CheckPictureFile(p->file);
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
