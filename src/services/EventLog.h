// Reports to the Application event log, for administrators to see what the
// program did. The log service may keep a caller waiting, so reports go out from
// a thread of their own: the caller only queues them.
#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace services {

class EventLog {
public:
    // What writes one event: ReportEventW, or a stand-in in tests.
    using Reporter = BOOL(WINAPI*)(HANDLE, WORD, WORD, DWORD, PSID, WORD, DWORD, LPCWSTR*, LPVOID);
    // At most this many reports wait at once; later ones are dropped. The program
    // reports a few events a logoff at most.
    static constexpr size_t kMaxPending = 64;

    explicit EventLog(std::wstring source, Reporter report = &ReportEventW);
    // Flushes, then waits for the worker however long its last report takes.
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Queues an event of the message table: id as windmc numbers it, its severity
    // bits giving the event's type (information, warning, error), and its inserts
    // %1, %2, ... in order. Returns at once; a report that cannot be made is dropped
    // and changes nothing else.
    void Report(DWORD id, std::vector<std::wstring> inserts);
    // Waits at most timeoutMs for the queued reports to go out; nothing is queued
    // afterwards. True when all went out (or none was ever queued).
    bool Flush(DWORD timeoutMs);

private:
    static DWORD WINAPI run(void* self);
    bool next(std::pair<DWORD, std::vector<std::wstring>>& event, bool& closing);

    std::wstring source_;
    Reporter report_;
    CRITICAL_SECTION lock_;
    HANDLE wake_;              // set when there is something for the worker to do
    HANDLE thread_ = nullptr;  // started with the first report
    bool closing_ = false;
    std::deque<std::pair<DWORD, std::vector<std::wstring>>> pending_;
};

// The program's own log, under the source "Tollvane"; never destroyed, so that a
// worker still waiting on the log service at exit touches nothing gone.
EventLog& ProgramEventLog();

}  // namespace services
