// The program's own words: exactly the English ones on an English system and on
// every system whose language it does not speak, its own translation on a
// German, French, Spanish or Japanese one; and every translation fits where it
// is shown, measured with the fonts and widths it is drawn with.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/frmMain.h"
#include "base/Handles.h"
#include "base/OleApartment.h"
#include "base/Text.h"
#include "forms/frmAbout.h"
#include "resource.h"
#include "support/WinTest.h"
#include "ui/InputBox.h"
#include "ui/Language.h"

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// Each language is kept in its main form, which every regional form falls back to
// (Mexican Spanish, Canadian French, Swiss German).
constexpr LANGID kLanguages[] = {kEnglish, MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT),
                                 MAKELANGID(LANG_FRENCH, SUBLANG_DEFAULT), MAKELANGID(LANG_SPANISH, SUBLANG_DEFAULT),
                                 MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)};

const std::pair<UINT, const wchar_t*> kEnglishWords[] = {
    {IDS_MENU_SET_DELAY, L"&Set Delay"},
    {IDS_MENU_LOG_OFF_NOW, L"&Log Off Now"},
    {IDS_MENU_ABOUT, L"&About"},
    {IDS_MENU_EXIT, L"&Exit"},
    {IDS_TRAY_TIP, L"double-click to log off now"},
    {IDS_DELAY_TITLE, L"Logoff Delay"},
    {IDS_DELAY_PROMPT, L"Enter idle minutes before Outlook Express logoff:"},
    {IDS_BUTTON_OK, L"OK"},
    {IDS_BUTTON_CANCEL, L"Cancel"},
    {IDS_POLICY_DELAY_ONE, L"Your administrator has set the idle delay to %1 minute. It cannot be changed here."},
    {IDS_POLICY_DELAY_MANY, L"Your administrator has set the idle delay to %1 minutes. It cannot be changed here."},
    {IDS_WARNING,
     L"Outlook Express will be logged off in %1 seconds. Move the mouse or press a key to stay logged on."},
    {IDS_SYSINFO_UNAVAILABLE, L"System Information Is Unavailable At This Time"},
    {IDS_ABOUT_TITLE, L"About %1"},
    {IDS_ABOUT_VERSION, L"Version %1"},
    {IDS_ABOUT_DESCRIPTION, L"Automatically log off your Outlook Express identity when your computer is idle."},
    {IDS_ABOUT_DISCLAIMER, L"Freeware by Brackwyn Software"},
    {IDS_LINK_CLICK, L"Click this link!"},
    {IDS_LINK_VISIT, L"visit Brackwyn Software"},
};

bool spokenHere(LANGID language) {
    for (const LANGID l : kLanguages)
        if (l != kEnglish && PRIMARYLANGID(l) == PRIMARYLANGID(language)) return true;
    return false;
}

TEST(Language, ARegionalFormGetsItsLanguageAndALanguageWithoutWordsGetsEnglish) {
    // A language whose letters the code page cannot spell gets English, never
    // question marks: the Western ones need 1252, Japanese 932.
    const auto where = [](UINT codePage, LANGID language) { return GetACP() == codePage ? language : kEnglish; };
    const std::pair<LANGID, LANGID> cases[] = {
        {0x0C0A, where(1252, 0x040A)},  // Spanish, Spain, modern sort: Windows XP's Spanish
        {0x080A, where(1252, 0x040A)},  // Spanish, Mexico
        {0x0C0C, where(1252, 0x040C)},  // French, Canada
        {0x0807, where(1252, 0x0407)},  // German, Switzerland
        {0x0411, where(932, 0x0411)},   // Japanese
        {0x0809, kEnglish},             // English, United Kingdom
        {0x0419, kEnglish},             // Russian
    };
    for (const auto& [system, words] : cases) EXPECT_EQ(ui::LanguageFor(system), words) << std::hex << system;
}

TEST(Language, TheSystemsLanguageWhereSpokenElseExactlyTheEnglishWordsAndTheMenuHoldsThem) {
    const LANGID system = GetUserDefaultUILanguage();
    const bool own = spokenHere(system);
    EXPECT_EQ(PRIMARYLANGID(ui::TextLanguage()), own ? PRIMARYLANGID(system) : LANG_ENGLISH);
    for (const auto& [id, words] : kEnglishWords) {
        EXPECT_EQ(ui::TextIn(id, kEnglish), words) << id;
        if (!own) {
            EXPECT_EQ(ui::Text(id), words) << id;
        }
    }
    app::FrmMain& f = app::frmMain();
    f.Load();
    const UINT items[] = {IDS_MENU_SET_DELAY, IDS_MENU_LOG_OFF_NOW, IDS_MENU_ABOUT, 0, IDS_MENU_EXIT};
    ASSERT_EQ(GetMenuItemCount(f.mhMenu), 5);
    for (int i = 0; i < 5; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(f.mhMenu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), items[i] ? ui::Text(items[i]) : L"") << i;
        if (own && items[i]) {
            EXPECT_NE(std::wstring(text), ui::TextIn(items[i], kEnglish)) << i;
        }
    }
    f.Unload();
}

// DrawText's measure of the text in that font and width (0: one line).
SIZE measured(HDC dc, HFONT font, const std::wstring& text, int width) {
    base::SelectedObject selected(dc, font);
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | (width ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{r.right, r.bottom};
}

int clientWidth(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r.right;
}
int clientHeight(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r.bottom;
}

// The languages drawn with this system's fonts: Japanese where the system draws
// Japanese, the Western ones elsewhere (the Japanese world measures Japanese).
std::vector<LANGID> languagesDrawnHere() {
    std::vector<LANGID> here;
    for (const LANGID l : kLanguages)
        if ((PRIMARYLANGID(l) == LANG_JAPANESE) == ui::TextNeedsSystemFont()) here.push_back(l);
    return here;
}

TEST(Language, EveryLanguagesWordsFitTheAboutBoxAndTheSetDelayBox) {
    const std::vector<LANGID> here = languagesDrawnHere();
    bool checked = false;
    wintest::AnswerModal([] { ui::InputBox(nullptr, ui::Text(IDS_DELAY_PROMPT), ui::Text(IDS_DELAY_TITLE), L"10"); },
                         [&](HWND box) {
                             base::WindowDc dc(box);
                             const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
                             const HWND prompt = GetDlgItem(box, ui::kInputBoxPromptId);
                             for (const LANGID language : here) {
                                 const std::wstring text = ui::TextIn(IDS_DELAY_PROMPT, language);
                                 const SIZE size = measured(dc.get(), font, text, clientWidth(prompt));
                                 EXPECT_LE(size.cx, clientWidth(prompt)) << base::ToAnsi(text);
                                 EXPECT_LE(size.cy, clientHeight(prompt)) << base::ToAnsi(text);
                                 for (const auto& [button, id] : {std::pair{IDOK, IDS_BUTTON_OK},
                                                                  std::pair{IDCANCEL, IDS_BUTTON_CANCEL}}) {
                                     const std::wstring words = ui::TextIn(id, language);
                                     // a margin of the button's edges and a little air each side
                                     EXPECT_LE(measured(dc.get(), font, words, 0).cx,
                                               clientWidth(GetDlgItem(box, button)) - 8)
                                         << base::ToAnsi(words);
                                 }
                             }
                             checked = true;
                             PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                         });
    EXPECT_TRUE(checked);
    base::OleApartment ole;  // as the program runs: the About box's buttons register for drops
    forms::FrmAbout& about = forms::frmAbout();
    about.Load();
    {
        base::WindowDc dc(about.hWnd());
        struct Place {
            const forms::Label& label;
            std::vector<UINT> texts;
            bool wraps;
        };
        const Place places[] = {{about.lblDescription, {IDS_ABOUT_DESCRIPTION}, true},
                                {about.lblDisclaimer, {IDS_ABOUT_DISCLAIMER}, false},
                                {about.lblVersion, {IDS_ABOUT_VERSION}, false},
                                {about.lblWebLink, {IDS_LINK_CLICK, IDS_LINK_VISIT}, false}};
        for (const Place& p : places)
            for (const LANGID language : here)
                for (const UINT id : p.texts) {
                    std::wstring text = ui::TextIn(id, language);
                    if (const size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, L"10.10.100");
                    const HWND hwnd = p.label.hWnd();
                    const SIZE size = measured(dc.get(), p.label.Font(), text, p.wraps ? clientWidth(hwnd) : 0);
                    EXPECT_LE(size.cx, clientWidth(hwnd)) << base::ToAnsi(text);
                    EXPECT_LE(size.cy, clientHeight(hwnd)) << base::ToAnsi(text);
                }
    }
    about.Unload();  // the last form: it posts the quit message a program ends with
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
