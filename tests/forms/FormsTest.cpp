// The splash screen and the About box's parts in this process: the window
// region, the link caption, the System Information button's lookup and the
// registry read beneath it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>

#include "RegionReference.h"
#include "forms/frmAbout.h"
#include "forms/frmSplash.h"
#include "forms/mGetRandomLabel.h"
#include "resource.h"
#include "support/WinTest.h"
#include "base/Handles.h"
#include "base/OleApartment.h"
#include "base/Text.h"
#include "ui/Dib.h"
#include "ui/Language.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(0x11, 0x22, 0x33);

using base::UniqueBitmap, base::UniqueRegion;

UniqueBitmap splashBitmap() {
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

// A bitmap whose pixel (x, y) has colour(x, y): a 24-bit DIB section as the
// splash picture is stored (rows padded to 4 bytes), or a screen-compatible bitmap.
UniqueBitmap makeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour, bool deviceDependent) {
    BITMAPINFO info = ui::TopDownDib32(width, height);
    info.bmiHeader.biBitCount = 24;
    base::WindowDc screen(nullptr);
    base::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    UniqueBitmap bitmap(deviceDependent ? CreateCompatibleBitmap(screen.get(), width, height)
                                        : CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    base::SelectedObject in(dc.get(), bitmap.get());
    for (int i = 0; i < width * height; ++i) SetPixel(dc.get(), i % width, i / width, colour(i % width, i / width));
    return bitmap;
}

TEST(RegionFromBitmap, SameRegionAsThePerPixelRule) {
    // Ours against the per-pixel rule: the same region, the same colour handed back.
    // Any colour below 1 means the corner's; another is taken as given. (The splash
    // picture itself: the splash test.)
    auto check = [&](const std::string& name, int width, int height, const std::function<COLORREF(int, int)>& colour) {
        for (const bool ddb : {false, true})
            for (const int32_t start : {0, -7, static_cast<int32_t>(kInk)}) {
                const UniqueBitmap bitmap = makeBitmap(width, height, colour, ddb);
                int32_t ours = start, reference = start;
                const UniqueRegion fast(forms::RegionFromBitmap(bitmap.get(), ours)),
                    slow(formstest::RegionFromBitmapPerPixel(bitmap.get(), reference));
                EXPECT_EQ(ours, reference) << name << (ddb ? ", screen bitmap" : "");
                EXPECT_TRUE(EqualRgn(fast.get(), slow.get())) << name << (ddb ? ", screen bitmap" : "");
            }
    };
    check("all transparent", 17, 9, [](int, int) { return kKey; });
    check("more runs than one region call takes", 160, 60, [](int x, int y) { return (x + y) % 2 ? kInk : kKey; });
}

// A timer of this thread's own, set when the splash shows: a busy machine delays
// its tick and the splash's alike, so the splash must be gone when it ticks.
HWND gSplashWindow = nullptr;
bool gReferenceTicked = false, gSplashUpAtReference = false;
void CALLBACK referenceTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    gReferenceTicked = true;
    gSplashUpAtReference = IsWindow(gSplashWindow) != FALSE;
}

TEST(Splash, ShapedTopmostAndGoneAfterTwoSeconds) {
    // The reference is built pixel by pixel before the splash shows: while it is
    // built this thread handles no messages, and on a slow PC that alone held the
    // splash past its time.
    int32_t corner = 0;
    const UniqueRegion reference(formstest::RegionFromBitmapPerPixel(splashBitmap().get(), corner)),
        applied(CreateRectRgn(0, 0, 0, 0));
    const DWORD shownAt = GetTickCount();
    forms::ShowSplash();
    HWND splash = gSplashWindow = forms::frmSplash().hWnd();
    ASSERT_NE(splash, nullptr);
    const HWND owner = GetWindow(splash, GW_OWNER);
    gReferenceTicked = false;
    ASSERT_NE(SetTimer(nullptr, 0, 2300, &referenceTick), 0u);
    EXPECT_TRUE(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(GetWindowRgn(splash, applied.get()), ERROR);
    EXPECT_TRUE(EqualRgn(applied.get(), reference.get()));
    wintest::Screenshot("splash.png");
    ASSERT_TRUE(wintest::WaitUntil([&] { return !IsWindow(splash); }, 10000));
    EXPECT_GE(GetTickCount() - shownAt, 1900u);
    EXPECT_FALSE(IsWindow(owner)) << "the hidden window that owned the splash outlived it";
    ASSERT_TRUE(wintest::WaitUntil([] { return gReferenceTicked; }, 10000));
    EXPECT_FALSE(gSplashUpAtReference) << "the splash outlived a 2.3 s timer set after it showed";
}

// The About box's buttons exist only while it is open: their skins, font and
// drawing surfaces go when it closes, and each opening starts in the normal look.
// Its link shows one of the listed captions, and the tooltip shows the same.
TEST(AboutBox, ButtonsGoWhenItClosesAndComeBackUnhoveredAndTheLinksTooltipIsItsCaption) {
    base::OleApartment ole;  // as the program runs: the buttons register for drops
    forms::FrmAbout& about = forms::frmAbout();
    // What one stored button holds on its own, loaded on a window of its own.
    int perButton = 0;
    {
        HWND scratch = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        buttonex::ButtonExHost host;
        host.Attach(scratch);
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_ABOUT_BEXIT), RT_RCDATA);
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
        const int bare = wintest::GdiObjectCount();
        buttonex::ButtonEx button(host);
        ASSERT_FALSE(host.Load(button, {data, SizeofResource(nullptr, found)}, 0, 0, 0));
        perButton = wintest::GdiObjectCount() - bare;
        DestroyWindow(scratch);
    }
    auto exitPixels = [&] {
        GdiFlush();
        const auto& s = about.bExit->Surface();
        return std::vector<uint32_t>(s.Bits(), s.Bits() + s.Width() * s.Height());
    };
    // Two openings: the second must not keep the hover look the first closed with.
    // That no opening leaves objects behind is the soak's to show.
    std::vector<uint32_t> fresh;
    for (int opening = 0; opening < 2; ++opening) {
        about.Load();
        ASSERT_TRUE(about.bExit.get());
        if (opening == 0) {  // what the tooltip window itself will show, not what the label remembers
            char tip[256] = {};
            TOOLINFOA info{};
            const forms::Label& link = about.lblWebLink;
            info.cbSize = TTTOOLINFOA_V2_SIZE, info.hwnd = GetParent(link.hWnd()), info.lpszText = tip;
            info.uId = reinterpret_cast<UINT_PTR>(link.hWnd());
            SendMessageA(link.ToolTipWindow(), TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&info));
            const std::wstring caption = link.Caption();
            bool listed = false;
            for (int i = 0; i <= forms::kLinkCaptionUpperBound; ++i)
                listed = listed || caption == forms::LinkCaption(i);
            EXPECT_TRUE(listed) << base::ToAnsi(caption);
            EXPECT_EQ(base::FromAnsi(tip), caption);
        }
        const int open = wintest::GdiObjectCount();
        if (opening == 0) fresh = exitPixels();
        EXPECT_EQ(exitPixels(), fresh) << opening;  // not the hover look of the last opening
        SendMessageA(about.bExit.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageA(about.bExit.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 10));  // the second move: hovered
        EXPECT_NE(exitPixels(), fresh);
        about.Unload();  // still hovered
        EXPECT_EQ(about.bExit.hWnd(), nullptr);
        // The buttons' objects go with the box, with the labels' fonts (the two
        // buttons share some: the platform keeps one font for equal font objects).
        EXPECT_GE(open - wintest::GdiObjectCount(), perButton + 8) << opening;
    }
    EXPECT_GT(perButton, 4);  // a button's skins and surfaces at least
}

// Puts the stand-in program at path; it logs each command line it gets to "<path>.log".
bool placeRecorder(const std::string& path) {
    return CopyFileA(wintest::BuiltProgram("forms_recorder.exe").c_str(), path.c_str(), FALSE);
}
std::string recorderLog(const std::string& path) { return wintest::ReadFileText(path + ".log"); }

// "Title: text" of the message box the action raised on this thread, which is then answered.
std::string messageBoxSeen(void (*action)()) {
    std::string seen;
    wintest::AnswerModal(action, [&](HWND box) {
        char title[64] = {}, text[256] = {};
        GetWindowTextA(box, title, sizeof title);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
        seen = std::string(title) + ": " + text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    return seen;
}

TEST(StartSysInfo, TheFirstValueOnceFoundDecidesTheSecondGivesOneFolder) {
    wintest::LentRegValue path(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    wintest::LentRegValue location(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    const std::string folder = wintest::TempFolder("sysinfo"), msinfo32 = folder + "\\MSINFO32.EXE";
    const std::string spaced = folder + "\\System Info Stand-in.exe";
    ASSERT_TRUE(placeRecorder(msinfo32) && placeRecorder(spaced));
    struct Case {
        std::string path, location;
        bool starts;
    };  // "": no such value
    const Case cases[] = {
        {spaced, folder, true},  // that path, spaces and all, and not the second value's
        // Found but unusable: the message, and the second value is not asked.
        {folder + "\\missing.exe", folder, false},
        {"", folder + "\\\\", true},  // one backslash between, however many it ends in
        {"", wintest::TempFolder("sysinfo-empty"), false},
    };
    int started = 0;
    const auto startsLogged = [&] {
        const std::string log = recorderLog(spaced) + recorderLog(msinfo32);
        return std::count(log.begin(), log.end(), '\n');
    };
    for (const Case& c : cases) {
        c.path.empty() ? path.Remove() : path.Set(c.path);
        c.location.empty() ? location.Remove() : location.Set(c.location);
        const std::string seen = messageBoxSeen([] { forms::StartSysInfo(nullptr); });
        EXPECT_EQ(seen, c.starts ? "" : "Tollvane: " + ui::AnsiText(IDS_SYSINFO_UNAVAILABLE)) << c.path;
        started += c.starts;
        EXPECT_TRUE(wintest::WaitUntil([&] { return startsLogged() == started; }, 10000)) << c.path;
    }
    wintest::Pump(300);
    const std::string m = "\"" + msinfo32 + "\"\n";
    EXPECT_EQ(recorderLog(spaced) + recorderLog(msinfo32), "\"" + spaced + "\"\n" + m);
}

// A 32-bit program on 64-bit Windows sees the 32-bit view of HKEY_LOCAL_MACHINE,
// while System Information registers itself in the 64-bit one: the lookup reads
// the other view too. The 64-bit test program names its other (32-bit) view; a
// 32-bit one cannot name the other view by path, so its build has no such test.
#ifdef _WIN64
TEST(StartSysInfo, FindsTheProgramRegisteredOnlyInTheOtherRegistryView) {
    wintest::LentRegValue own(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    wintest::LentRegValue other(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    const std::string program = wintest::TempFolder("sysinfo-view") + "\\MSINFO32.EXE";
    ASSERT_TRUE(placeRecorder(program));
    own.Remove();
    other.Set(program);
    EXPECT_EQ(messageBoxSeen([] { forms::StartSysInfo(nullptr); }), "");
    EXPECT_TRUE(wintest::WaitUntil([&] { return recorderLog(program) == "\"" + program + "\"\n"; }, 10000));
}
#endif

// Windows keeps many paths with %variables% in them (REG_EXPAND_SZ). Reading needs
// only the right to read the key.
TEST(GetKeyValue, AnExpandableValueComesWithItsVariablesReplaced) {
    const char* key = "Software\\Tollvane-forms-expand";
    const char stored[] = "%SystemRoot%\\System32\\msinfo32.exe";
    wintest::WriteRegValue(HKEY_CURRENT_USER, key, "PATH", REG_EXPAND_SZ, {stored, stored + sizeof stored});
    ASSERT_TRUE(wintest::MakeReadOnly(HKEY_CURRENT_USER, key));
    char root[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("SystemRoot", root, MAX_PATH), 0u);
    std::wstring value, missing = L"stale";
    EXPECT_TRUE(forms::GetKeyValue(HKEY_CURRENT_USER, L"Software\\Tollvane-forms-expand", L"PATH", value));
    EXPECT_FALSE(forms::GetKeyValue(HKEY_CURRENT_USER, L"Software\\Tollvane-forms-expand", L"Missing", missing));
    EXPECT_EQ(base::ToAnsi(value) + "|" + base::ToAnsi(missing), std::string(root) + "\\System32\\msinfo32.exe|");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, key), ERROR_SUCCESS);
}

}  // namespace
