#!/usr/bin/env python3
"""The skin checker on small hand-written skins: it accepts what the engine accepts (check and
radio strips without frame counts, image names in another letter case, colours with other
separators, caption buttons whose frame count the engine computes) and still reports a real fault.

    python3 check_skin_test.py <check_skin.py>
"""

import importlib.util
import os
import struct
import sys
import tempfile


def bmp(width, height):
    """A bottom-up 24-bit BI_RGB file, as skins carry them."""
    stride = (width * 3 + 3) & ~3
    pixels = b"\x80" * stride * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


def skin(folder, definition, images):
    os.makedirs(folder)
    with open(os.path.join(folder, "test.ini"), "w", newline="") as fh:
        fh.write(definition.replace("\n", "\r\n"))
    for name, (w, h) in images.items():
        with open(os.path.join(folder, name), "wb") as fh:
            fh.write(bmp(w, h))


def main(argv):
    found = importlib.util.spec_from_file_location("check_skin", argv[1])
    checker = importlib.util.module_from_spec(found)
    found.loader.exec_module(checker)
    failures = []
    root = tempfile.mkdtemp(prefix="check-skin-")

    def faults(name, definition, images):
        folder = os.path.join(root, name)
        skin(folder, definition, images)
        try:
            return checker.check(folder)
        except Exception as e:  # a crash is a failure of its own
            return ["crashed: %r" % e]

    def accepts(name, definition, images):
        found = faults(name, definition, images)
        if found:
            failures.append("%s: reported %s" % (name, found))

    def reports(name, definition, images, expected):
        found = faults(name, definition, images)
        if not any(expected in f for f in found):
            failures.append("%s: expected a fault naming %r, got %s" % (name, expected, found))

    # Check and radio strips without frame counts: 4 cells of 13 pixels, 8 cells of 16 pixels.
    accepts("computed-glyph-frames", "[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n",
            {"check.bmp": (52, 13), "radio.bmp": (128, 16)})
    # The definition names Caption.bmp, the file is caption.bmp: the archive finds it.
    accepts("letter-case", "[Personality]\nTop=Caption.BMP.bmp\nTopFrame=2\n"
            "[BUTTONCLOSE]\nAction=0\nButtonImage=z:\\skins\\CLOSE.bmp\nframe=3\n",
            {"caption.bmp.bmp": (40, 60), "close.bmp": (48, 16)})
    # Any character other than a digit separates a colour's numbers.
    accepts("separators", "[Colours]\nWindowText=255;255;255\nButtonFace=0,128,255\nMenu=1/2/3\n"
            "Hilight=10 20 30\n[Customcolors]\nColor0=4;5;6\n[Colour1]\ncolor=7:8:9\n", {})
    # Caption buttons without a frame count: 3 frames for a strip at most 3.8 times as wide as
    # high, 6 otherwise; the system-menu button then shows the icon and needs no strip.
    accepts("computed-caption-frames", "[ButtonClose]\nAction=0\nButtonImage=close.bmp\n"
            "[ButtonMax]\nAction=1\nButtonImage=max.bmp\n[ButtonSys]\nAction=3\n"
            "[ButtonDeco]\nAction=-1\nVisibility=0\nButtonImage=deco.bmp\n",
            {"close.bmp": (54, 18), "max.bmp": (108, 18), "deco.bmp": (120, 16)})

    # Real faults are still reported.
    reports("uneven-strip", "[Buttons]\nBitmap=button.bmp\n", {"button.bmp": (52, 20)},
            "52 pixels do not divide into 5 frames")
    reports("uneven-computed-caption-strip", "[ButtonClose]\nAction=0\nButtonImage=close.bmp\n",
            {"close.bmp": (50, 18)}, "50 pixels do not divide into 3 frames")
    reports("short-colour", "[Colours]\nWindowText=255;255\n", {}, "WindowText=255;255 is not three")
    reports("missing-image", "[Buttons]\nBitmap=nothere.bmp\n", {}, "missing image nothere.bmp")

    for f in failures:
        print("FAILED: " + f)
    if not failures:
        print("check_skin rules: all cases passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
