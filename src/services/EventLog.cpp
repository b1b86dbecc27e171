#include "services/EventLog.h"

namespace services {
namespace {

// The two top bits of a message id are its severity in the message table.
WORD eventType(DWORD id) {
    switch (id >> 30) {
        case 3:
            return EVENTLOG_ERROR_TYPE;
        case 2:
            return EVENTLOG_WARNING_TYPE;
        default:
            return EVENTLOG_INFORMATION_TYPE;
    }
}

}  // namespace

EventLog::EventLog(std::wstring source, Reporter report)
    : source_(std::move(source)), report_(report), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock_);
}

EventLog::~EventLog() {
    Flush(0);
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (wake_) CloseHandle(wake_);
    DeleteCriticalSection(&lock_);
}

void EventLog::Report(DWORD id, std::vector<std::wstring> inserts) {
    bool queued = false;
    EnterCriticalSection(&lock_);
    if (!closing_ && wake_ && pending_.size() < kMaxPending) {
        // Started here, not at construction: a program that reports nothing starts no thread.
        if (!thread_) thread_ = CreateThread(nullptr, 0, &EventLog::run, this, 0, nullptr);
        if (thread_) pending_.emplace_back(id, std::move(inserts)), queued = true;
    }
    LeaveCriticalSection(&lock_);
    if (queued) SetEvent(wake_);
}

bool EventLog::Flush(DWORD timeoutMs) {
    EnterCriticalSection(&lock_);
    closing_ = true;
    HANDLE thread = thread_;
    LeaveCriticalSection(&lock_);
    if (!thread) return true;
    SetEvent(wake_);
    return WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
}

bool EventLog::next(std::pair<DWORD, std::vector<std::wstring>>& event, bool& closing) {
    EnterCriticalSection(&lock_);
    const bool any = !pending_.empty();
    if (any) {
        event = std::move(pending_.front());
        pending_.pop_front();
    }
    closing = closing_;
    LeaveCriticalSection(&lock_);
    return any;
}

DWORD WINAPI EventLog::run(void* param) {
    auto& self = *static_cast<EventLog*>(param);
    // Without a source (no log service, no right to it) every report is dropped.
    HANDLE source = RegisterEventSourceW(nullptr, self.source_.c_str());
    std::pair<DWORD, std::vector<std::wstring>> event;
    for (bool closing = false;;) {
        if (self.next(event, closing)) {
            std::vector<LPCWSTR> strings;
            for (const std::wstring& s : event.second) strings.push_back(s.c_str());
            if (source)
                self.report_(source, eventType(event.first), 0, event.first, nullptr, static_cast<WORD>(strings.size()),
                             0, strings.empty() ? nullptr : strings.data(), nullptr);
            continue;
        }
        if (closing) break;
        WaitForSingleObject(self.wake_, INFINITE);
    }
    if (source) DeregisterEventSource(source);
    return 0;
}

EventLog& ProgramEventLog() {
    static EventLog* const log = new EventLog(L"Tollvane");
    return *log;
}

}  // namespace services
