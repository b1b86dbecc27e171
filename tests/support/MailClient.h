// Starts the stand-in mail client and reads what it logged.
#pragma once
#include <string>
#include <vector>

#include "support/WinTest.h"

namespace wintest {

class MailClient {
public:
    // The main window: none, or one that holds a "Permanently delete" prompt open;
    // or only another program's dialog with "&Yes" and "OK".
    enum Main { WithMain, NoMain, MainWithPrompt, Decoy };
    // notes: one mode per message window ("close", "yes", "ok", "none", "hidden", "never").
    explicit MailClient(const std::vector<std::string>& notes, Main main = WithMain);

    bool Ready() const { return ready_; }
    DWORD Pid() const { return child_.Pid(); }
    bool Running() const { return child_.Running(); }
    bool WaitExit(DWORD ms) const { return child_.WaitExit(ms); }
    void Kill() { child_.Kill(); }

    // The logged events, e.g. "close note 1", and their time stamps (ms).
    std::vector<std::string> Events() const { return events(nullptr); }
    int Count(const std::string& event) const;
    std::vector<unsigned long long> Times(const std::string& event) const;

private:
    std::vector<std::string> events(std::vector<unsigned long long>* times) const;
    std::string log_;
    Child child_;
    bool ready_ = false;
};

}  // namespace wintest
