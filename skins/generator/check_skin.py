#!/usr/bin/env python3
"""Checks a skin folder against what the skin engine reads from it.

    python3 skins/generator/check_skin.py [skin folder]        (default: skins/reprocessa)

Reads the definition with the engine's rules (first section of a name, first key of a name, keys
without regard to case, ';' comments) and checks, for every element the skin objects are built
from, that the section and its image exist, that the image is a 24-bit BI_RGB BMP the engine
decodes, that it divides evenly into the frames the object model cuts it into, and that the
margins fit inside one frame. Exits with 1 and lists the problems when anything is wrong.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# section -> (image key, frame count, vertical strip); frame count None: read from the section
SLOTS = {
    "Progress": ("Bitmap", 2, False),
    "GroupBoxEdge": ("Image", 2, False),
    "GroupBox": ("Image", 1, False),
    "Toolbars": ("Image", 5, False),
    "Tabs": ("Image", 5, False),
    "StatusBarEdges": ("Image", 3, False),
    "ComboButton": ("Image", 4, False),
    "SunkEdge": ("Image", 4, False),
    "ExtraImages": ("Image", 5, False),
    "Headerbar": ("Image", 5, False),
    "MenuItem": ("Image", 5, False),
    "MenuBackground": ("Image", 1, False),
    "Scrollbar": ("Image", 23, False),
    "HorzScroll": ("Image", 4, False),
    "VertScroll": ("Image", 4, False),
    "HorzScrollThumb": ("Image", None, False),
    "VertScrollThumb": ("Image", None, False),
    "Trackbar.ThumbHorz": ("Image", 5, False),
    "Trackbar.ThumbVert": ("Image", 5, False),
    "Trackbar.ThumbLeft": ("Image", 5, False),
    "Trackbar.ThumbRight": ("Image", 5, False),
    "Trackbar.ThumbUp": ("Image", 5, False),
    "Trackbar.ThumbDown": ("Image", 5, False),
    "UpDown.Horz": ("Image", 8, False),
    "UpDown.Vert": ("Image", 8, False),
}
SECOND_IMAGES = {"Progress": "Chunk", "Tabs": "Border", "UpDown.Horz": "GlyphImage",
                 "UpDown.Vert": "GlyphImage"}
COLOUR_KEYS = ["WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu",
               "MenuText", "ButtonText", "ButtonHilight", "Buttonlight", "ButtonShadow",
               "ButtonDkShadow", "MenuBarText", "TitleTextActive", "TitleTextNoActive"]
KNOWN_SECTIONS = set(s.lower() for s in list(SLOTS) + [
    "Personality", "Fonts", "TitlebarSkin", "Colours", "Customcolors", "Buttons", "MDICONTROLS"])


class Ini:
    """The definition reader's lookup rules."""

    def __init__(self, text):
        self.lines = []
        self.sections = []
        for raw in text.replace("\r\n", "\n").replace("\r", "\n").split("\n"):
            line = raw.strip(" \t\0")
            if not line or line.startswith(";"):
                continue
            self.lines.append(line)
            if line.startswith("[") and line.endswith("]"):
                self.sections.append((line[1:-1].strip(), len(self.lines) - 1))

    def section_names(self):
        return [n for n, _ in self.sections]

    def read(self, section, key, default=""):
        start = next((i for n, i in self.sections if n.lower() == section.lower()), -1)
        if start < 0:
            return default
        for line in self.lines[start + 1:]:
            if line.startswith("[") and line.endswith("]"):
                break
            if "=" not in line:
                continue
            k, v = line.split("=", 1)
            if k.strip().lower() == key.lower():
                return v.strip() or default
        return default

    def has(self, section, key):
        return self.read(section, key, None) is not None

    def integer(self, section, key, default):
        text = self.read(section, key, "")
        try:
            return int(text, 0) if text.lower().startswith("0x") else int(text)
        except ValueError:
            return default


def bmp_size(path, problems):
    try:
        with open(path, "rb") as fh:
            data = fh.read()
    except OSError:
        problems.append("missing image " + os.path.basename(path))
        return None
    if len(data) < 54 or data[:2] != b"BM":
        problems.append(os.path.basename(path) + " is not a BMP file")
        return None
    size, = struct.unpack_from("<I", data, 2)
    info, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    off, = struct.unpack_from("<I", data, 10)
    stride = (w * bpp // 8 + 3) & ~3
    if size != len(data) or info != 40 or planes != 1 or bpp != 24 or comp != 0 or h <= 0:
        problems.append(os.path.basename(path) + ": not a bottom-up 24-bit BI_RGB BMP with a "
                        "40-byte header and a true file size")
    if off + stride * abs(h) > len(data):
        problems.append(os.path.basename(path) + ": pixel data runs past the end")
    return w, abs(h)


def check(folder):
    problems = []
    used = set()
    ini_name = next((n for n in sorted(os.listdir(folder)) if ".ini" in n.lower()), None)
    if ini_name is None:
        return ["no definition (*.ini)"]
    with open(os.path.join(folder, ini_name), "rb") as fh:
        ini = Ini(fh.read().decode("ascii"))

    def image(section, key, frames, vertical, margins=None, required=True):
        value = ini.read(section, key)
        if not value:
            if required:
                problems.append("[%s] has no %s: the element is not skinned" % (section, key))
            return None
        name = value.replace(":", "\\").split("\\")[-1]
        if not name.endswith(".bmp"):
            problems.append("[%s] %s=%s: the engine loads only names ending in .bmp (lower "
                            "case)" % (section, key, value))
            return None
        used.add(name.lower())
        size = bmp_size(os.path.join(folder, name), problems)
        if size is None:
            return None
        w, h = size
        along = h if vertical else w
        if frames and along % frames:
            problems.append("%s: %d pixels do not divide into %d frames" % (name, along, frames))
        fw, fh = (w, h // frames) if vertical else (w // frames, h)
        if margins:
            L, T, R, B = margins
            if L + R > fw or T + B > fh:
                problems.append("%s: margins %s do not fit a %dx%d frame" % (name, margins, fw, fh))
        return fw, fh

    def margins(section):
        return tuple(ini.integer(section, k, 0) for k in
                     ("LeftWidth", "TopHeight", "RightWidth", "BottomHeight"))

    # frame borders
    p = "Personality"
    geo = {}
    for side in ("Left", "Right", "Top", "Bottom"):
        frames = ini.integer(p, side + "Frame", 1)
        a, b = ini.integer(p, side + "TopHeight", 0), ini.integer(p, side + "BotHeight", 0)
        m = (0, a, 0, b) if side in ("Left", "Right") else (a, 0, b, 0)
        geo[side] = image(p, side, frames, side in ("Top", "Bottom"), m)
    if all(geo.values()):
        if geo["Left"][1] < geo["Top"][1] + geo["Bottom"][1]:
            problems.append("left border shorter than caption plus bottom border")
    if not any(ini.integer(p, s + "Trans", 1) for s in ("Left", "Right", "Top", "Bottom")):
        problems.append("no border is transparent: the window stays rectangular")
    # caption text, menu bar
    tb = image(p, "TextBack", 2, True, required=False)
    if tb and ini.integer(p, "TXTBackleft", 0) + ini.integer(p, "TXTBackRight", 0) >= tb[0]:
        problems.append("TextBack caps leave no middle to repeat")
    image(p, "menuBar", 2, True, (ini.integer(p, "TileLeftMenu", 1), 0,
                                  ini.integer(p, "TileRightMenu", 1), 0))
    for prefix in ("ActiveText", "InActiveText"):
        if any(ini.integer(p, prefix + c, -1) < 0 for c in "RGB"):
            problems.append("%sR/G/B incomplete: the title keeps its default colour" % prefix)
    # colours
    for key in COLOUR_KEYS:
        text = ini.read("Colours", key)
        parts = text.replace(",", " ").split()
        if len(parts) != 3 or not all(x.isdigit() and int(x) < 256 for x in parts):
            problems.append("[Colours] %s=%r is not three numbers 0-255" % (key, text))
    for k in range(10):
        if not ini.has("Customcolors", "Color%d" % k):
            problems.append("[Customcolors] Color%d missing" % k)
    # buttons, check boxes, radio buttons
    image("Buttons", "Bitmap", 5, False, margins("Buttons"))
    check = image("Buttons", "CheckButton", ini.integer("Buttons", "CheckButtonFrame", 0) or None,
                  False)
    radio = image("Buttons", "RadioButton", ini.integer("Buttons", "RadioButtonFrame", 0) or None,
                  False)
    if ini.integer("Buttons", "CheckButtonFrame", 0) not in (4, 12):
        problems.append("CheckButtonFrame should be 4 or 12 (the frame maps the drawing knows)")
    if ini.integer("Buttons", "RadioButtonFrame", 0) not in (4, 8):
        problems.append("RadioButtonFrame should be 4 or 8")
    for key in ("NormalColour2", "MouseOverColour2", "PressedColour2"):
        if not ini.read("Buttons", key):
            problems.append("[Buttons] %s missing: plain push buttons draw that state in "
                            "ButtonText" % key)
    # caption buttons
    names = [n for n in ini.section_names() if n.upper().startswith("BUTTON") and
             n.upper() not in ("BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX")]
    actions = set()
    for sec in names:
        action = ini.integer(sec, "Action", 0)
        actions.add(action)
        frames = ini.integer(sec, "frame", 0)
        if frames == 0:
            problems.append("[%s] has no frame count" % sec)
        image(sec, "ButtonImage", frames or 1, False)
        if not ini.has(sec, "Visibility"):
            problems.append("[%s] has no Visibility" % sec)
    for action, what in ((0, "close"), (1, "maximise/restore"), (2, "minimise"), (3, "system menu")):
        if action not in actions:
            problems.append("no caption button for " + what)
    mdi = image("MDICONTROLS", "Image", 12, False)
    # generic slots
    for section, (key, frames, vertical) in SLOTS.items():
        if frames is None:
            frames = ini.integer(section, "FrameCount", 3)
        image(section, key, frames, vertical, margins(section))
        if section in SECOND_IMAGES:
            image(section, SECOND_IMAGES[section], 8 if section.startswith("UpDown") else 1, False)
    # combo composite: the text area (2, 2)-(.., 18) of a 21-pixel picture is cut out
    if ini.integer("SunkEdge", "TopHeight", 0) > 2 or ini.integer("SunkEdge", "BottomHeight", 0) > 3:
        problems.append("SunkEdge margins reach into the combo's text area")
    if ini.integer("HorzScrollThumb", "FrameCount", 3) != ini.integer("VertScrollThumb",
                                                                      "FrameCount", 3):
        problems.append("both scroll thumbs are cut with the horizontal thumb's frame count")
    # every section is one the model reads; every picture is used
    for name in ini.section_names():
        n = name.lower()
        if n in KNOWN_SECTIONS or n in (x.lower() for x in names) or \
                (n.startswith("colour") and n != "colours"):
            continue
        problems.append("section [%s] is not read by the skin" % name)
    for f in os.listdir(folder):
        if f.lower().endswith(".bmp") and f.lower() not in used:
            problems.append(f + " is not named by the definition")
    return problems


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "reprocessa")
    problems = check(folder)
    for p in problems:
        print("check_skin: " + p)
    if not problems:
        print("check_skin: %s is complete" % os.path.normpath(folder))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
