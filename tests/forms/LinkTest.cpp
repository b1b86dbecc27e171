#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>

#include "FormsTestSupport.h"
#include "forms/frmAbout.h"
#include "forms/mGetRandomLabel.h"
#include "services/mWebLink.h"
#include "ui/Text.h"

namespace {

// What the label's tooltip window itself will show.
std::wstring tooltipText(const forms::Label& label) {
    char text[256] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = GetParent(label.hWnd());
    info.uId = reinterpret_cast<UINT_PTR>(label.hWnd());
    info.lpszText = text;
    SendMessageA(label.ToolTipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return ui::FromAnsi(text);
}

TEST(GetRandomLabel, EachLoadDrawsAListedCaptionShownAlsoAsTheTooltip) {
    std::set<std::wstring> drawn;
    for (int i = 0; i < 40; ++i) {
        forms::frmAbout().Load();
        const forms::Label& link = forms::frmAbout().lblWebLink;
        const std::wstring caption = link.Caption();
        EXPECT_NE(std::find(forms::kLinkCaptions.begin(), forms::kLinkCaptions.end(), caption),
                  forms::kLinkCaptions.end());
        EXPECT_EQ(tooltipText(link), caption);
        drawn.insert(caption);
        forms::frmAbout().Unload();
    }
    EXPECT_GT(drawn.size(), 3u);  // seeded from the timer, not fixed
}

TEST(OpenWebLink, ReachesTheHandlerOfTheAddressesScheme) {
    const std::string handler = wintest::TempFolder("weblink") + "\\link handler.exe";
    ASSERT_TRUE(formstest::PlaceRecorder(handler));
    const auto lent = formstest::LendScheme("tollvane-test", "\"" + handler + "\" \"%1\"");
    forms::frmAbout().Load();
    services::OpenWebLink(forms::frmAbout(), L"tollvane-test://www.brackwyn.example/home.html?tv");
    EXPECT_TRUE(wintest::WaitUntil([&] { return !formstest::RecorderLog(handler).empty(); }, 10000));
    EXPECT_NE(formstest::RecorderLog(handler).find("tollvane-test://www.brackwyn.example/home.html?tv"),
              std::string::npos);
    forms::frmAbout().Unload();
}

}  // namespace
