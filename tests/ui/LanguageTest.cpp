// The program's own words: the English ones on an English system and on every
// system whose language it does not speak, its own translation on a German,
// French, Spanish or Japanese one; and every translation fits where it is
// shown, measured with the fonts and widths it is drawn with.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

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
// Each language is kept in its main form, which every regional form falls back to.
constexpr LANGID kLanguages[] = {kEnglish, MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT),
                                 MAKELANGID(LANG_FRENCH, SUBLANG_DEFAULT), MAKELANGID(LANG_SPANISH, SUBLANG_DEFAULT),
                                 MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)};

TEST(Language, ARegionalFormGetsItsLanguageAndALanguageWithoutWordsGetsEnglish) {
    // A language whose letters the code page cannot spell gets English, never
    // question marks: the Western ones need 1252, Japanese 932.
    const auto where = [](UINT codePage, LANGID language) { return GetACP() == codePage ? language : kEnglish; };
    const std::pair<LANGID, LANGID> cases[] = {
        {0x0C0A, where(1252, 0x040A)},  // Spanish, Spain, modern sort: Windows XP's Spanish
        {0x0807, where(1252, 0x0407)},  // German, Switzerland
        {0x0411, where(932, 0x0411)},   // Japanese
        {0x0809, kEnglish},             // English, United Kingdom
    };
    for (const auto& [system, words] : cases) EXPECT_EQ(ui::LanguageFor(system), words) << std::hex << system;
}

// The menu, the Set Delay box and the warning (which the end-to-end tests read)
// speak the world's language; in English exactly these words.
TEST(Language, TheMenuTheBoxAndTheWarningSpeakTheSystemsLanguageAndEnglishWordForWord) {
    bool own = false;  // the world's language is one the program speaks
    for (const LANGID l : kLanguages)
        own = own || (l != kEnglish && PRIMARYLANGID(l) == PRIMARYLANGID(GetUserDefaultUILanguage()));
    const std::pair<UINT, const wchar_t*> english[] = {
        {IDS_MENU_SET_DELAY, L"&Set Delay"},
        {IDS_MENU_LOG_OFF_NOW, L"&Log Off Now"},
        {IDS_MENU_ABOUT, L"&About"},
        {IDS_MENU_EXIT, L"&Exit"},
        {IDS_DELAY_TITLE, L"Logoff Delay"},
        {IDS_DELAY_PROMPT, L"Enter idle minutes before Outlook Express logoff:"},
        {IDS_WARNING,
         L"Outlook Express will be logged off in %1 seconds. Move the mouse or press a key to stay logged on."},
    };
    for (const auto& [id, words] : english) {
        EXPECT_EQ(ui::TextIn(id, kEnglish), words) << id;
        EXPECT_EQ(ui::Text(id) == words, !own) << id;
    }
}

// Whether DrawText puts the text inside the window's client area in that font
// (wrapping at its width, or on one line).
bool fits(HDC dc, HFONT font, std::wstring text, HWND place, bool wraps) {
    if (const size_t at = text.find(L"%1"); at != std::wstring::npos) text.replace(at, 2, L"10.10.100");
    RECT client{}, r{};
    GetClientRect(place, &client);
    r.right = wraps ? client.right : 0;
    base::SelectedObject selected(dc, font);
    DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    return r.right <= client.right && r.bottom <= client.bottom;
}

// Each world measures the languages drawn with its fonts: Japanese where the
// system draws Japanese, the Western ones elsewhere.
TEST(Language, EveryLanguagesWordsFitTheSetDelayBoxAndTheAboutBox) {
    std::vector<LANGID> here;
    for (const LANGID l : kLanguages)
        if ((PRIMARYLANGID(l) == LANG_JAPANESE) == ui::TextNeedsSystemFont()) here.push_back(l);
    bool checked = false;
    wintest::AnswerModal(
        [] { ui::InputBox(nullptr, ui::Text(IDS_DELAY_PROMPT), ui::Text(IDS_DELAY_TITLE), L"10"); },
        [&](HWND box) {
            base::WindowDc dc(box);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
            for (const LANGID l : here)
                for (const auto& [id, control, wraps] :
                     {std::tuple{IDS_DELAY_PROMPT, ui::kInputBoxPromptId, true}, std::tuple{IDS_BUTTON_OK, IDOK, false},
                      std::tuple{IDS_BUTTON_CANCEL, IDCANCEL, false}})
                    EXPECT_TRUE(fits(dc.get(), font, ui::TextIn(id, l), GetDlgItem(box, control), wraps))
                        << base::ToAnsi(ui::TextIn(id, l));
            checked = true;
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        });
    EXPECT_TRUE(checked);

    base::OleApartment ole;  // as the program runs: the About box's buttons register for drops
    forms::FrmAbout& about = forms::frmAbout();
    about.Load();
    {
        base::WindowDc dc(about.hWnd());
        const std::tuple<const forms::Label&, UINT, bool> places[] = {
            {about.lblDescription, IDS_ABOUT_DESCRIPTION, true},
            {about.lblDisclaimer, IDS_ABOUT_DISCLAIMER, false},
            {about.lblVersion, IDS_ABOUT_VERSION, false},
            {about.lblWebLink, IDS_LINK_CLICK, false},
            {about.lblWebLink, IDS_LINK_VISIT, false}};
        for (const auto& [label, id, wraps] : places)
            for (const LANGID l : here)
                EXPECT_TRUE(fits(dc.get(), label.Font(), ui::TextIn(id, l), label.hWnd(), wraps))
                    << base::ToAnsi(ui::TextIn(id, l));
    }
    about.Unload();  // the last form: it posts the quit message a program ends with
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
