// The program's own words in the person's language: string tables in the
// program's resources, one for each language it speaks. The language is the
// one Windows shows its own user interface in (GetUserDefaultUILanguage, from
// Windows XP on); a language the program does not speak, or whose words the
// ANSI code page cannot spell, gets English.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// The language of the program's words on this system.
LANGID TextLanguage();
// The language of the program's words for a Windows of that interface language.
LANGID LanguageFor(LANGID interfaceLanguage);

// The text with this identifier in that language ("" when the program has
// none); with the value put in place of its "%1".
std::wstring Text(UINT id);
std::wstring Text(UINT id, const std::wstring& value);

// The text in a given language, or "" when the program has none in it.
std::wstring TextIn(UINT id, LANGID language);

// The same in the ANSI code page, for the platform's narrow entry points.
std::string AnsiText(UINT id, const std::wstring& value = {});

// Whether the language's script is one the design's Western fonts cannot draw,
// so that its words are drawn in the system's own message font.
bool TextNeedsSystemFont();

}  // namespace ui
