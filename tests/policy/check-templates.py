#!/usr/bin/env python3
"""The Group Policy templates against the program: each is well-formed, offers
both settings under Computer and User Configuration, and names exactly the key,
the values and the ranges that the program reads, taken from its own source.
    check-templates.py <src folder> <templates folder>"""
import re
import sys
import xml.etree.ElementTree as ET

src, folder = sys.argv[1], sys.argv[2]
failures = []


def check(ok, what):
    print(("ok:   " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def constants(header):
    text = open(header, encoding="utf-8").read()
    found = {}
    for name, value in re.findall(r'constexpr\s+wchar_t\s+(k\w+)\[\]\s*=\s*L"((?:[^"\\]|\\.)*)"', text):
        found[name] = value.encode().decode("unicode_escape")
    for name, value in re.findall(r"constexpr\s+int32_t\s+(k\w+)\s*=\s*(\d+);", text):
        found[name] = int(value)
    return found


c = constants(f"{src}/app/DelaySetting.h")
for name in ("kPolicyKey", "kDelayKey", "kWarningKey", "kMinPolicyDelay", "kMinPolicyWarning", "kMaxPolicyValue"):
    if name not in c:
        sys.exit(f"FAIL: {name} not found in app/DelaySetting.h")
key = c["kPolicyKey"]
ranges = {c["kDelayKey"]: (c["kMinPolicyDelay"], c["kMaxPolicyValue"]),
          c["kWarningKey"]: (c["kMinPolicyWarning"], c["kMaxPolicyValue"])}
print(f"the program reads {key}: {ranges}")

# ADMX and ADML: XML, each reference resolved, each value the program's.
ns = {"p": "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions"}
try:
    admx = ET.parse(f"{folder}/tollvane.admx").getroot()
    adml = ET.parse(f"{folder}/en-US/tollvane.adml").getroot()
except ET.ParseError as e:
    sys.exit(f"FAIL: not well-formed: {e}")
check(admx.tag == "{%s}policyDefinitions" % ns["p"], "tollvane.admx is a policyDefinitions document")
check(adml.tag == "{%s}policyDefinitionResources" % ns["p"], "tollvane.adml is a policyDefinitionResources document")
strings = {s.get("id") for s in adml.iterfind(".//p:stringTable/p:string", ns)}
presentations = {p.get("id"): p for p in adml.iterfind(".//p:presentationTable/p:presentation", ns)}
refs = re.findall(r"\$\((string|presentation)\.([^)]*)\)", open(f"{folder}/tollvane.admx", encoding="utf-8").read())
missing = [f"{kind}.{name}" for kind, name in refs
           if name not in (strings if kind == "string" else presentations)]
check(refs and not missing, f"every text tollvane.admx names is in tollvane.adml (missing: {missing})")
categories = {cat.get("name") for cat in admx.iterfind(".//p:categories/p:category", ns)}
admx_values = {}
for policy in admx.iterfind(".//p:policies/p:policy", ns):
    name = policy.get("name")
    check(policy.get("key") == key, f"admx {name}: key {policy.get('key')}")
    check(policy.get("class") == "Both", f"admx {name}: under Computer and User Configuration")
    parent = policy.find("p:parentCategory", ns)
    check(parent is not None and parent.get("ref") in categories, f"admx {name}: in a category of its own file")
    shown = presentations.get((policy.get("presentation") or "").removeprefix("$(presentation.").rstrip(")"))
    for element in policy.iterfind("p:elements/*", ns):
        value = element.get("valueName")
        admx_values[value] = (int(element.get("minValue")), int(element.get("maxValue")))
        check(element.tag == "{%s}decimal" % ns["p"], f"admx {value}: a number (REG_DWORD)")
        check(shown is not None and any(box.get("refId") == element.get("id") for box in shown),
              f"admx {value}: shown in its presentation")
check(admx_values == ranges, f"admx values and ranges {admx_values}")

# ADM: a small parser for its nesting, strings and values.
adm_values = {"MACHINE": {}, "USER": {}}
adm_strings, stack, klass, keyname, value, problems = {}, [], None, None, None, []
in_strings = False
for number, raw in enumerate(open(f"{folder}/tollvane.adm", encoding="ascii"), 1):
    line = raw.strip()
    if not line or line.startswith(";"):
        continue
    if line.lower() == "[strings]":
        in_strings = True
        continue
    if in_strings:
        m = re.fullmatch(r'(\w+)="((?:[^"\\]|\\.)*)"', line)
        if m:
            adm_strings[m.group(1)] = m.group(2)
        else:
            problems.append(f"line {number}: not a string: {line}")
        continue
    words = re.findall(r'"[^"]*"|\S+', line)
    head = words[0].upper()
    for ref in re.findall(r"!!(\w+)", line):
        adm_strings.setdefault("?refs", set()).add(ref)
    if head == "CLASS":
        klass = words[1].upper()
        if stack or klass not in adm_values:
            problems.append(f"line {number}: CLASS {klass} inside {stack}")
    elif head in ("CATEGORY", "POLICY", "PART"):
        stack.append(head)
    elif head == "END":
        if not stack or stack.pop() != words[1].upper():
            problems.append(f"line {number}: unbalanced {line}")
    elif head == "KEYNAME":
        keyname = words[1].strip('"')
    elif head == "VALUENAME":
        value = words[1].strip('"')
    elif head == "MIN":
        settings = dict(zip(words[0::2], words[1::2]))
        adm_values[klass][value] = (int(settings["MIN"]), int(settings["MAX"]))
        if keyname != key:
            problems.append(f"line {number}: {value} under key {keyname}")
check(not stack, f"adm: every CATEGORY, POLICY and PART ends ({stack})")
undefined = adm_strings.pop("?refs", set()) - set(adm_strings)
check(not undefined, f"adm: every !! string is defined ({undefined})")
check(not problems, f"adm: nesting, strings and keys ({problems})")
check(adm_values["MACHINE"] == ranges, f"adm Computer Configuration values and ranges {adm_values['MACHINE']}")
check(adm_values["USER"] == ranges, f"adm User Configuration values and ranges {adm_values['USER']}")

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
