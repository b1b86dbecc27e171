"""What the build's checks of the resource texts share: the command line (a
folder to check and a stamp to write, or --self-test) and the self-test, which
plants each known fault in a copy of the texts and expects it refused, and
expects the real texts to pass."""
import os
import sys
import tempfile


def self_test(problems, faults, make_tree, here):
    """faults: description -> fault; make_tree(folder, fault) writes a copy of
    the texts with that fault planted into the empty folder."""
    failed = 0
    for what, fault in faults.items():
        with tempfile.TemporaryDirectory() as tmp:
            make_tree(tmp, fault)
            found = problems(tmp)
            print(("ok: refused " if found else "FAIL: accepted ") + what + (f" ({found[0]})" if found else ""))
            failed += not found
    real = problems(here)
    for p in real:
        print("FAIL: " + p)
    print(f"{len(faults) - failed} of {len(faults)} faults refused; the real texts: {len(real)} problems")
    return 1 if failed or real else 0


def main(name, problems, run_self_test):
    """check.py FOLDER [STAMP]: each problem on standard error and exit 1, or
    exit 0 and the stamp written; check.py --self-test."""
    if sys.argv[1:] == ["--self-test"]:
        return run_self_test()
    found = problems(sys.argv[1])
    for p in found:
        print(f"{name}: {p}", file=sys.stderr)
    if found:
        return 1
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w") as f:
            f.write("ok\n")
    return 0


def copy_file(source, target):
    with open(source, encoding="utf-8") as f, open(target, "w", encoding="utf-8") as g:
        g.write(f.read())
