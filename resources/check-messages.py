#!/usr/bin/env python3
"""Checks the event log's messages in every language before windmc compiles them.

  check-messages.py <resources folder> [stamp file]
  check-messages.py --self-test

events.mc must give every message a text in each of its languages, none empty,
each with the same inserts (%1, %2, ...) as the English one, which numbers them
from %1 without a gap; its languages must be those of the string tables in
lang/*.rc, by language id. Exits 1 and says what is wrong otherwise.
"""
import os
import re
import sys

import checking

# The string tables name their languages; the message file numbers them.
RC_LANGUAGES = {
    ("LANG_ENGLISH", "SUBLANG_ENGLISH_US"): 0x409,
    ("LANG_GERMAN", "SUBLANG_DEFAULT"): 0x407,
    ("LANG_FRENCH", "SUBLANG_DEFAULT"): 0x40C,
    ("LANG_SPANISH", "SUBLANG_DEFAULT"): 0x40A,
    ("LANG_JAPANESE", "SUBLANG_DEFAULT"): 0x411,
}
# %% is a percent sign, not an insert.
INSERT = re.compile(r"%%|%(\d+)")


def inserts(text):
    return {int(m.group(1)) for m in INSERT.finditer(text) if m.group(1)}


def parse(path):
    """(languages {name: id}, messages [(name, {language: text})])"""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    languages, messages = {}, []
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        i += 1
        if line.startswith("LanguageNames"):
            block = line
            while ")" not in block and i < len(lines):
                block += " " + lines[i].strip()
                i += 1
            for name, number in re.findall(r"(\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*:", block):
                languages[name] = int(number, 0)
        elif re.match(r"MessageId\s*=", line):
            messages.append([f"message at line {i}", {}])
        elif line.startswith("SymbolicName") and messages:
            messages[-1][0] = line.split("=", 1)[1].strip()
        elif line.startswith("Language=") and messages:
            language = line.split("=", 1)[1].strip()
            text = []
            while i < len(lines) and lines[i] != ".":
                text.append(lines[i])
                i += 1
            i += 1
            if language in messages[-1][1]:
                raise ValueError(f"{messages[-1][0]}: {language} twice")
            messages[-1][1][language] = "\n".join(text)
    return languages, messages


def string_table_languages(folder):
    found = {}
    lang = os.path.join(folder, "lang")
    for name in sorted(os.listdir(lang)):
        if name.endswith(".rc"):
            with open(os.path.join(lang, name), encoding="utf-8") as f:
                m = re.search(r"^LANGUAGE\s+(\w+)\s*,\s*(\w+)", f.read(), re.M)
            found[name] = RC_LANGUAGES.get((m.group(1), m.group(2))) if m else None
    return found


def problems(folder):
    out = []
    try:
        languages, messages = parse(os.path.join(folder, "events.mc"))
    except (ValueError, UnicodeDecodeError) as e:
        return [f"events.mc: {e}"]
    tables = string_table_languages(folder)
    for name, number in tables.items():
        if number is None:
            out.append(f"lang/{name}: a language this check does not know")
    wanted = {n for n in tables.values() if n is not None}
    if set(languages.values()) != wanted:
        out.append(f"events.mc: languages {sorted(map(hex, languages.values()))}, the string tables' "
                   f"{sorted(map(hex, wanted))}")
    if not messages:
        out.append("events.mc: no messages")
    for name, texts in messages:
        english = texts.get("English")
        if english is None:
            out.append(f"events.mc: {name} has no English text")
            continue
        numbers = inserts(english)
        if numbers != set(range(1, len(numbers) + 1)):
            out.append(f"events.mc: {name}: inserts {sorted(numbers)} do not run from %1 without a gap")
        for language in languages:
            text = texts.get(language)
            if text is None:
                out.append(f"events.mc: {name} is missing in {language}")
            elif not text.strip():
                out.append(f"events.mc: {name} is empty in {language}")
            elif inserts(text) != numbers:
                out.append(f"events.mc: {name} in {language} has inserts {sorted(inserts(text))}, "
                           f"English {sorted(numbers)}")
        for language in texts:
            if language not in languages:
                out.append(f"events.mc: {name}: {language} is not one of the file's languages")
    return out


def self_test():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "events.mc"), encoding="utf-8") as f:
        source = f.read()
    faults = {
        "a missing language": (lambda s: re.sub(r"Language=Spanish\nTollvane aplicó.*?\n\.\n", "", s), None),
        "a lost insert": (lambda s: s.replace("de %3 à %4 secondes", "de %3 secondes"), None),
        "an added insert": (lambda s: s.replace("(Fehler %2)", "(Fehler %2, %5)", 1), None),
        "a gap in the inserts": (lambda s: s.replace("%4 seconds.", "%5 seconds.").replace("%4 秒", "%5 秒")
                                 .replace("%4 Sekunden.", "%5 Sekunden.").replace("%4 secondes.", "%5 secondes.")
                                 .replace("%4 segundos.", "%5 segundos."), None),
        "a language the string tables lack": (lambda s: s.replace("Japanese=0x411", "Japanese=0x412"), None),
        "a string table the messages lack": (lambda s: s.replace("\n               Japanese=0x411:MSG00411", ""), None),
        "a string table this check cannot place": (lambda s: s, "LANGUAGE LANG_ITALIAN, SUBLANG_DEFAULT\n"),
        "an empty text": (lambda s: re.sub(r"(Language=German\n)Der Infobereich.*", r"\1 ", s), None),
    }

    def make_tree(tmp, planted):
        fault, extra_table = planted
        os.mkdir(os.path.join(tmp, "lang"))
        for name in os.listdir(os.path.join(here, "lang")):
            checking.copy_file(os.path.join(here, "lang", name), os.path.join(tmp, "lang", name))
        if extra_table:
            with open(os.path.join(tmp, "lang", "it.rc"), "w", encoding="utf-8") as g:
                g.write(extra_table)
        with open(os.path.join(tmp, "events.mc"), "w", encoding="utf-8") as f:
            f.write(fault(source))

    return checking.self_test(problems, faults, make_tree, here)


if __name__ == "__main__":
    sys.exit(checking.main("check-messages", problems, self_test))
