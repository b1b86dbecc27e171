#!/usr/bin/env python3
"""The Group Policy templates against the program: each is well-formed, offers
both settings under Computer and User Configuration, and names exactly the key,
the values and the ranges that the program reads, taken from its own source.
    check-templates.py <src folder> <templates folder>"""
import os
import re
import sys
import xml.etree.ElementTree as ET

src, folder = sys.argv[1], sys.argv[2]
failures = 0


def check(ok, what):
    global failures
    print(("ok:   " if ok else "FAIL: ") + what)
    failures += not ok


header = open(f"{src}/app/Settings.h", encoding="utf-8").read()
c = {n: v.replace("\\\\", "\\") for n, v in re.findall(r'wchar_t (k\w+)\[\] = L"([^"]*)"', header)}
c.update({n: int(v) for n, v in re.findall(r"int32_t (k\w+) = (\d+);", header)})
key = c["kPolicyKey"]
wanted = {c["kDelayKey"]: (c["kMinPolicyDelay"], c["kMaxPolicyValue"]),
          c["kWarningKey"]: (c["kMinPolicyWarning"], c["kMaxPolicyValue"])}
print(f"the program reads {key}: {wanted}")

# ADMX and ADML: well-formed, every text and presentation resolved, every policy
# for both classes under the program's key.
p = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
admx = ET.parse(f"{folder}/tollvane.admx").getroot()
adml = ET.parse(f"{folder}/en-US/tollvane.adml").getroot()
defined = {("string", s.get("id")) for s in adml.iterfind(".//p:stringTable/p:string", p)}
defined |= {("presentation", s.get("id")) for s in adml.iterfind(".//p:presentationTable/p:presentation", p)}
refs = set(re.findall(r"\$\((string|presentation)\.([^)]*)\)", open(f"{folder}/tollvane.admx").read()))
check(refs and refs <= defined, f"tollvane.adml has every text tollvane.admx names (missing {refs - defined})")
values = {}
for policy in admx.iterfind(".//p:policy", p):
    check(policy.get("key") == key and policy.get("class") == "Both",
          f"admx {policy.get('name')}: {policy.get('class')} under {policy.get('key')}")
    for number in policy.iterfind("p:elements/p:decimal", p):
        values[number.get("valueName")] = (int(number.get("minValue")), int(number.get("maxValue")))
check(values == wanted, f"admx numbers {values}")


# Every other language: the same texts and presentations as en-US, each in its own words.
def texts(root):
    found = {("string", s.get("id")): (s.text or "") for s in root.iterfind(".//p:stringTable/p:string", p)}
    for s in root.iterfind(".//p:presentationTable/p:presentation", p):
        for box in s:
            found[("presentation", s.get("id"), box.get("refId"), box.get("defaultValue"))] = box.text or ""
    return found


english = texts(adml)
languages = sorted(d for d in os.listdir(folder) if os.path.isfile(f"{folder}/{d}/tollvane.adml") and d != "en-US")
check(languages == ["de-DE", "es-ES", "fr-FR", "ja-JP"], f"adml languages beside en-US: {languages}")
for language in languages:
    theirs = texts(ET.parse(f"{folder}/{language}/tollvane.adml").getroot())
    check(theirs.keys() == english.keys(), f"{language}: the same texts and presentations as en-US")
    same = [k[1] for k in english if k in theirs and theirs[k] == english[k] and english[k] != "Tollvane"]
    check(not same and all(v.strip() for v in theirs.values()), f"{language}: every text in its own words ({same})")

# ADM: balanced blocks, strings defined, each class's numbers under the program's key.
adm = {"MACHINE": {}, "USER": {}}
blocks, strings, refs, klass, keyname, value = [], {}, set(), None, None, None
text = open(f"{folder}/tollvane.adm", encoding="ascii").read()
body, _, table = text.partition("[strings]")
for line in table.splitlines():
    if line.strip():
        m = re.fullmatch(r'(\w+)="((?:[^"\\]|\\.)*)"', line.strip())
        check(m is not None, f"adm string {line[:40]}")
        strings[m and m.group(1)] = True
for line in body.splitlines():
    words = re.findall(r'"[^"]*"|\S+', line.split(";")[0])
    if not words:
        continue
    refs |= set(re.findall(r"!!(\w+)", line))
    head = words[0].upper()
    if head == "CLASS":
        klass = words[1].upper()
        check(not blocks and klass in adm, f"adm CLASS {klass} at the top")
    elif head in ("CATEGORY", "POLICY", "PART"):
        blocks.append(head)
    elif head == "END":
        check(blocks and blocks.pop() == words[1].upper(), f"adm {line.strip()} closes its block")
    elif head == "KEYNAME":
        keyname = words[1].strip('"')
    elif head == "VALUENAME":
        value = words[1].strip('"')
    elif head == "MIN":
        limits = dict(zip(words[0::2], words[1::2]))
        adm[klass][value if keyname == key else f"{keyname}\\{value}"] = (int(limits["MIN"]), int(limits["MAX"]))
check(not blocks, f"adm: every block ends ({blocks})")
check(refs <= set(strings), f"adm: every !! string is defined (missing {refs - set(strings)})")
for klass, found in adm.items():
    check(found == wanted, f"adm {klass} numbers {found}")
print(f"{failures} failed")
sys.exit(1 if failures else 0)
