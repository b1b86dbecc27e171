#include "ui/Language.h"

#include "base/Text.h"
#include "resource.h"

namespace ui {
namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// A string table block holds 16 strings, each a count of UTF-16 units and the units.
bool findText(UINT id, LANGID language, std::wstring& text) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
    if (!found) return false;
    const auto* units = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
    const size_t size = SizeofResource(module, found) / sizeof(WCHAR);
    if (!units) return false;
    size_t at = 0;
    for (UINT i = 0; i < id % 16; ++i) {
        if (at >= size) return false;
        at += 1 + units[at];
    }
    if (at >= size || at + 1 + units[at] > size || units[at] == 0) return false;
    text.assign(units + at + 1, units[at]);
    return true;
}

std::wstring withValue(std::wstring text, const std::wstring& value) {
    const size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

// Whether the program has all its words in the language, each one spelt in the
// ANSI code page: the program's windows are ANSI windows, and a Windows whose
// interface language differs from its code page's would show question marks.
bool speaks(LANGID language) {
    for (UINT id = IDS_FIRST; id <= IDS_LAST; ++id) {
        std::wstring text;
        if (!findText(id, language, text)) return false;
        BOOL lossy = FALSE;
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
        if (lossy) return false;
    }
    return true;
}

}  // namespace

// The interface language itself, else its main language's default form, in which
// each language file is kept (Swiss German gets German, Spain's modern-sort and
// Mexican Spanish get Spanish), else English.
LANGID LanguageFor(LANGID interfaceLanguage) {
    for (const LANGID candidate :
         {interfaceLanguage, static_cast<LANGID>(MAKELANGID(PRIMARYLANGID(interfaceLanguage), SUBLANG_DEFAULT))})
        if (speaks(candidate)) return candidate;
    return kEnglish;
}

LANGID TextLanguage() {
    static const LANGID language = LanguageFor(GetUserDefaultUILanguage());
    return language;
}

std::wstring TextIn(UINT id, LANGID language) {
    std::wstring text;
    return findText(id, language, text) ? text : std::wstring();
}

std::wstring Text(UINT id) {
    std::wstring text;
    if (findText(id, TextLanguage(), text) || findText(id, kEnglish, text)) return text;
    return {};
}

std::wstring Text(UINT id, const std::wstring& value) { return withValue(Text(id), value); }

std::string AnsiText(UINT id, const std::wstring& value) { return base::ToAnsi(Text(id, value)); }

bool TextNeedsSystemFont() {
    switch (PRIMARYLANGID(TextLanguage())) {
        case LANG_JAPANESE:
            return true;
        default:
            return false;
    }
}

}  // namespace ui
