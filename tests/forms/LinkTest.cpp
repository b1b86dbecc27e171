#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "FormsTestSupport.h"
#include "forms/Label.h"
#include "forms/mGetRandomLabel.h"
#include "services/mWebLink.h"
#include "support/WinTest.h"
#include "ui/Text.h"

namespace {

std::wstring tooltipWindowText(const forms::Label& label) {
    char text[256] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = GetParent(label.hWnd());
    info.uId = reinterpret_cast<UINT_PTR>(label.hWnd());
    info.lpszText = text;
    SendMessageA(label.ToolTipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return ui::FromAnsi(text);
}

TEST(GetRandomLabel, CaptionAndTooltipAlwaysShowTheSameListedText) {
    formstest::HostForm host;
    host.Load();
    ASSERT_TRUE(host.IsLoaded());
    forms::Label label;
    ASSERT_TRUE(label.Create(host.hWnd(), 7, RECT{10, 10, 200, 30}, true));
    std::set<std::wstring> drawn;
    for (int i = 0; i < 60; ++i) {
        forms::GetRandomLabel(label);
        const std::wstring caption = label.Caption();
        ASSERT_NE(std::find(forms::kLinkCaptions.begin(), forms::kLinkCaptions.end(), caption),
                  forms::kLinkCaptions.end());
        EXPECT_EQ(label.ToolTipText(), caption);
        // What the tooltip window itself will show, not only what we asked for.
        EXPECT_EQ(tooltipWindowText(label), caption);
        drawn.insert(caption);
        Sleep(1);
    }
    // Seeded from the timer: successive loads do not all show one caption.
    EXPECT_GT(drawn.size(), 3u);
}

class WebLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = wintest::TempFolder("weblink");
        handler_ = folder_ + "\\link handler.exe";
        ASSERT_TRUE(formstest::PlaceRecorder(handler_));
        scheme_ = std::make_unique<formstest::SchemeHandler>("tollvane-test", "\"" + handler_ + "\" \"%1\"");
        host_.Load();
    }

    std::string folder_, handler_;
    std::unique_ptr<formstest::SchemeHandler> scheme_;
    formstest::HostForm host_;
};

TEST_F(WebLinkTest, ReachesTheHandlerOfTheAddressesScheme) {
    const std::wstring url = L"tollvane-test://www.brackwyn.example/home.html?tv";
    services::OpenWebLink(host_, url);
    ASSERT_TRUE(formstest::WaitForRecorder(handler_, 10000));
    EXPECT_NE(formstest::RecorderLog(handler_).find(ui::ToAnsi(url)), std::string::npos)
        << formstest::RecorderLog(handler_);
}

TEST_F(WebLinkTest, AnAddressNothingOpensIsIgnoredQuietly) {
    const auto seen = formstest::WatchMessageBoxes(
        [&] { services::OpenWebLink(host_, L"tollvane-unknown-scheme://www.brackwyn.example/"); });
    wintest::Pump(300);
    EXPECT_TRUE(host_.IsLoaded());
    EXPECT_TRUE(formstest::RecorderLog(handler_).empty());
    // Whatever the platform itself may say, nothing of ours is shown.
    EXPECT_EQ(seen.title.find("Tollvane"), std::string::npos);
}

}  // namespace
