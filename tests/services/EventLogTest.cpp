// The event log's queue, with a stand-in for ReportEventW that is as slow as a
// busy log service: the caller never waits for it, every queued report goes out
// at a flush, in order and with its type, and a flush ends at its bound however
// long the service takes.
#include <gtest/gtest.h>

#include "services/EventLog.h"
#include "support/WinTest.h"

namespace {

DWORD serviceMs = 0;  // how long the stand-in takes for each report
std::vector<std::pair<WORD, std::vector<std::wstring>>> received;

BOOL WINAPI slowReport(HANDLE, WORD type, WORD, DWORD, PSID, WORD count, DWORD, LPCWSTR* strings, LPVOID) {
    Sleep(serviceMs);
    received.emplace_back(type, std::vector<std::wstring>(strings, strings + count));
    return TRUE;
}

TEST(EventLog, ReportsNeverWaitForTheServiceAndAFlushDeliversThemAllOrEndsAtItsBound) {
    received.clear();
    serviceMs = 200;
    {
        services::EventLog log(L"TollvaneTest", &slowReport);
        LARGE_INTEGER frequency, before, after;
        QueryPerformanceFrequency(&frequency);
        long long slowest = 0;
        const DWORD ids[] = {0x40000001, 0x80000002, 0xC0000003};
        for (DWORD id : ids) {
            QueryPerformanceCounter(&before);
            log.Report(id, {std::to_wstring(id), L"x"});
            QueryPerformanceCounter(&after);
            slowest = std::max(slowest, (after.QuadPart - before.QuadPart) * 1000000 / frequency.QuadPart);
        }
        wintest::Measured("a report on the calling thread, slowest of 3", static_cast<unsigned long>(slowest), "us");
        EXPECT_LT(slowest, 20000);
        EXPECT_TRUE(log.Flush(3 * serviceMs + 2000));
        ASSERT_EQ(received.size(), 3u);
        const WORD types[] = {EVENTLOG_INFORMATION_TYPE, EVENTLOG_WARNING_TYPE, EVENTLOG_ERROR_TYPE};
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(received[i],
                      (std::pair<WORD, std::vector<std::wstring>>{types[i], {std::to_wstring(ids[i]), L"x"}}));
        log.Report(1, {});  // after the flush: dropped
    }
    EXPECT_EQ(received.size(), 3u);

    serviceMs = 1500;
    services::EventLog stuck(L"TollvaneTest", &slowReport);
    stuck.Report(1, {});
    const DWORD start = GetTickCount();
    EXPECT_FALSE(stuck.Flush(300));
    EXPECT_LT(GetTickCount() - start, 1000u);
}

}  // namespace
