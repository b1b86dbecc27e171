// OLE for the UI thread, for one scope: COM in a single-threaded apartment
// plus what COM alone does not give, drag and drop (RegisterDragDrop,
// DoDragDrop) and the clipboard. The About box holds one for the program's
// thread from its first showing on.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace base {

class OleApartment {
public:
    OleApartment() noexcept : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleApartment() {
        if (ok_) OleUninitialize();
    }
    OleApartment(const OleApartment&) = delete;
    OleApartment& operator=(const OleApartment&) = delete;

    bool Ok() const noexcept { return ok_; }

private:
    bool ok_;
};

}  // namespace base
