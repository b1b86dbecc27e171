#!/usr/bin/env python3
"""The test command's totals, from the JUnit file each ctest run leaves.
    test-results.py <logs folder>
Every run that began left <name>.started; one that has no <name>.xml never ended,
and counts as one failure. A fuzz target's bounded run is no test case: it is
reported as a fuzz run, and one that found a fault counts as a failure. Each
skipped test is named. The last line is 'N passed, N failed, N skipped'."""
import pathlib
import sys
import xml.etree.ElementTree as ET

logs = pathlib.Path(sys.argv[1])
totals = {"passed": 0, "failed": 0, "skipped": 0}
for started in sorted(logs.glob("*.started"), key=lambda p: p.stat().st_mtime):
    name = started.stem
    results = logs / f"{name}.xml"
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    notes, fuzz = [], 0
    try:
        cases = ET.parse(results).getroot().iter("testcase")
    except (OSError, ET.ParseError):
        cases, counts["failed"] = [], 1
        notes.append("  ctest did not finish")
    for case in cases:
        test, status = case.get("name", ""), case.get("status")
        if status in ("notrun", "disabled"):
            counts["skipped"] += 1
            notes.append(f"  skipped: {test}")
        elif test.startswith("fuzz_"):
            if status == "run":
                fuzz += 1
            else:
                counts["failed"] += 1
                notes.append(f"  a fuzz run found a fault: {test}")
        elif status == "run":
            counts["passed"] += 1
        else:
            counts["failed"] += 1
            notes.append(f"  failed: {test}")
    fuzzed = f"; fuzz runs: {fuzz}, none found a fault" if fuzz else ""
    print(f"{name}: {counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped{fuzzed}")
    for note in notes:
        print(note)
    for key in totals:
        totals[key] += counts[key]
print()
print(f"{totals['passed']} passed, {totals['failed']} failed, {totals['skipped']} skipped", end="")
sys.exit(0 if totals["failed"] == 0 and totals["passed"] > 0 else 1)
