// GoogleTest's one use of std::mutex and std::condition_variable, which the
// win32 thread model of mingw-w64 (GCC 12) lacks, made from a Win32 event.
#pragma once
#include <windows.h>
#define GTEST_HAS_NOTIFICATION_ 1
namespace testing::internal {
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};
}  // namespace testing::internal
