#include "support/MailClient.h"

#include <algorithm>
#include <sstream>

namespace wintest {

MailClient::MailClient(const std::vector<std::string>& notes, Main main) {
    static const char* const mainArgs[] = {"", " --no-main", " --main-prompt", " --decoy"};
    std::string args = mainArgs[main];
    for (const std::string& n : notes) args += " --note " + n;
    static int serial = 0;
    log_ = TempFolder("mail") + "\\log" + std::to_string(++serial) + ".txt";
    child_ = Child("\"" + BuiltProgram("mailclient.exe") + "\" --log \"" + log_ + "\"" + args);
    ready_ = WaitUntil(
        [&] {
            for (const std::string& e : Events())
                if (e.rfind("ready", 0) == 0) return true;
            return false;
        },
        10000);
}

std::vector<std::string> MailClient::events(std::vector<unsigned long long>* times) const {
    std::vector<std::string> out;
    std::istringstream in(ReadFileText(log_));
    std::string line;
    while (std::getline(in, line)) {
        const size_t space = line.find(' ');
        if (space == std::string::npos) continue;
        out.push_back(line.substr(space + 1));
        if (times) times->push_back(std::stoull(line.substr(0, space)));
    }
    return out;
}

int MailClient::Count(const std::string& event) const {
    const std::vector<std::string> all = Events();
    return static_cast<int>(std::count(all.begin(), all.end(), event));
}

std::vector<unsigned long long> MailClient::Times(const std::string& event) const {
    std::vector<unsigned long long> at, out;
    const std::vector<std::string> all = events(&at);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == event) out.push_back(at[i]);
    return out;
}

}  // namespace wintest
