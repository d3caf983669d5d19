#!/usr/bin/env python3
"""skinpack on a damaged archive: an archive cut short makes list and extract say that its stream
ends before the declared length and end non-zero, and extract writes nothing; the whole archive
lists and extracts cleanly.

    python3 skinpack_test.py <skinpack> <skin folder> <scratch folder>
"""

import os
import shutil
import subprocess
import sys

WARNING = "the compressed stream ends before the declared length"


def run(args, cwd):
    done = subprocess.run(args, cwd=cwd, capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


def main(argv):
    skinpack, skin, work = argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    failures = []

    def expect(condition, what, output):
        if not condition:
            failures.append("%s\n%s" % (what, output))

    whole = os.path.join(work, "whole.skn")
    code, out, err = run([skinpack, "pack", skin, "-o", whole], work)
    if code != 0:
        print("cannot pack %s:\n%s%s" % (skin, out, err))
        return 1
    code, out, err = run([skinpack, "list", whole], work)
    expect(code == 0 and "contrast.ini" in out and WARNING not in err, "list of the whole archive", out + err)
    code, out, err = run([skinpack, "extract", whole, "contrast.ini", "-o", "whole.ini"], work)
    expect(code == 0, "extract from the whole archive", out + err)
    with open(os.path.join(skin, "contrast.ini"), "rb") as a, open(os.path.join(work, "whole.ini"), "rb") as b:
        expect(a.read() == b.read(), "the extracted definition is the original", "")

    with open(whole, "rb") as fh:
        stored = fh.read()
    # One byte short (only the stream's last bits are missing), then well inside the bodies.
    for missing in (1, 300, len(stored) // 2):
        cut = os.path.join(work, "cut.skn")
        with open(cut, "wb") as fh:
            fh.write(stored[:len(stored) - missing])
        label = "archive cut %d bytes short: " % missing
        code, out, err = run([skinpack, "list", cut], work)
        expect(code != 0, label + "list ends non-zero", out + err)
        expect("cut.skn" in err and WARNING in err, label + "list names the archive and its short stream", err)
        target = os.path.join(work, "cut.ini")
        code, out, err = run([skinpack, "extract", cut, "contrast.ini", "-o", target], work)
        expect(code != 0, label + "extract ends non-zero", out + err)
        expect("cut.skn" in err and WARNING in err, label + "extract names the archive and its short stream", err)
        expect(not os.path.exists(target), label + "extract writes nothing", out + err)

    for f in failures:
        print("FAILED: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
