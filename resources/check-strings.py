#!/usr/bin/env python3
"""Checks the program's words in every language before the build uses them.

  check-strings.py <resources folder> [stamp file]
  check-strings.py --self-test

Every file in lang/ must hold exactly the texts of lang/en.rc, none empty, each
with a "%1" exactly where the English one has it; the four menu commands must
each have an access key, none the same as another's; every file must be
included by tollvane.rc. Exits 1 and says what is wrong otherwise.
"""
import os
import re
import sys

import checking

MENU = ["IDS_MENU_SET_DELAY", "IDS_MENU_LOG_OFF_NOW", "IDS_MENU_ABOUT", "IDS_MENU_EXIT"]
ENTRY = re.compile(r'^\s*(IDS_\w+)\s+"((?:[^"]|"")*)"\s*$')


def texts(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    if not any(l.strip() == "#pragma code_page(65001)" for l in lines):
        raise ValueError("no '#pragma code_page(65001)': the compiler would misread its letters")
    found = {}
    for line in lines:
        m = ENTRY.match(line)
        if m:
            if m.group(1) in found:
                raise ValueError(f"{m.group(1)} twice")
            found[m.group(1)] = m.group(2).replace('""', '"')
    return found


def access_key(text):
    m = re.search(r"&([^&])", text.replace("&&", ""))
    return m.group(1).lower() if m else None


def problems(folder):
    out = []
    lang = os.path.join(folder, "lang")
    english = texts(os.path.join(lang, "en.rc"))
    with open(os.path.join(folder, "tollvane.rc"), encoding="utf-8", errors="replace") as f:
        rc = f.read()
    for name in sorted(os.listdir(lang)):
        if not name.endswith(".rc"):
            continue
        where = f"lang/{name}"
        if f'#include "lang/{name}"' not in rc:
            out.append(f"{where}: not included by tollvane.rc")
        try:
            words = texts(os.path.join(lang, name))
        except (ValueError, UnicodeDecodeError) as e:
            out.append(f"{where}: {e}")
            continue
        for key in english:
            if key not in words:
                out.append(f"{where}: {key} is missing")
            elif not words[key].strip():
                out.append(f"{where}: {key} is empty")
            elif ("%1" in words[key]) != ("%1" in english[key]):
                out.append(f"{where}: {key} must hold %1 exactly where English does")
        for key in words:
            if key not in english:
                out.append(f"{where}: {key} is not one of the program's texts")
        keys = [access_key(words.get(k, "")) for k in MENU]
        for k, key in zip(MENU, keys):
            if key is None:
                out.append(f"{where}: {k} has no access key")
        given = [k for k in keys if k]
        if len(set(given)) != len(given):
            out.append(f"{where}: the menu's access keys repeat: {', '.join(given)}")
    return out


def self_test():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "lang", "en.rc"), encoding="utf-8") as f:
        english = f.read()
    faults = {
        "a missing text": lambda s: s.replace('  IDS_TRAY_TIP', '  // IDS_TRAY_TIP'),
        "an empty text": lambda s: re.sub(r'(IDS_DELAY_TITLE\s+)"[^"]*"', r'\1" "', s),
        "a lost %1": lambda s: s.replace("in %1 seconds", "in a few seconds"),
        "a repeated access key": lambda s: s.replace('"&Exit"', '"&Stop"'),
        "no access key": lambda s: s.replace('"&About"', '"About"'),
    }

    def make_tree(tmp, fault):
        os.mkdir(os.path.join(tmp, "lang"))
        with open(os.path.join(tmp, "lang", "en.rc"), "w", encoding="utf-8") as f:
            f.write(english)
        with open(os.path.join(tmp, "lang", "xx.rc"), "w", encoding="utf-8") as f:
            f.write(fault(english))
        with open(os.path.join(tmp, "tollvane.rc"), "w") as f:
            f.write('#include "lang/en.rc"\n#include "lang/xx.rc"\n')

    return checking.self_test(problems, faults, make_tree, here)


if __name__ == "__main__":
    sys.exit(checking.main("check-strings", problems, self_test))
