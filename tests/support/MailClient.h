// Starts the stand-in mail client and reads what it logged.
#pragma once
#include <string>
#include <vector>

#include "support/WinTest.h"

namespace wintest {

class MailClient {
public:
    // The main window: none, or one that holds a "Permanently delete" prompt open.
    enum Main { WithMain, NoMain, MainWithPrompt };
    // notes: one mode per message window ("close", "yes", "ok", "none", "hidden", "never").
    explicit MailClient(const std::vector<std::string>& notes, Main main = WithMain);
    // Another program's dialog with "&Yes" and "OK".
    static MailClient Decoy();

    bool Ready() const { return ready_; }
    DWORD Pid() const { return child_.Pid(); }
    bool Running() const { return child_.Running(); }
    bool WaitExit(DWORD ms) const { return child_.WaitExit(ms); }
    void Kill() { child_.Kill(); }

    // The logged events without their time stamps, e.g. "close note 1".
    std::vector<std::string> Events() const;
    int Count(const std::string& event) const;
    // Time stamps (ms) of each occurrence of an event.
    std::vector<unsigned long long> Times(const std::string& event) const;

private:
    MailClient() = default;
    void start(const std::string& args);
    std::string log_;
    Child child_;
    bool ready_ = false;
};

}  // namespace wintest
