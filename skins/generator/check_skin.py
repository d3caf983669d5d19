#!/usr/bin/env python3
"""Checks a skin folder against what the skin engine reads from it.

    python3 skins/generator/check_skin.py [skin folder]        (default: skins/reprocessa)

Reads the definition with the engine's rules (first section of a name, first key of a name, keys
without regard to case, ';' comments, archive files found without regard to case) and checks, for
every element the skin objects are built from, that its image is a BMP the engine decodes, that it
divides evenly into the frames the engine cuts it into (given or computed as the engine computes
them), and that the margins fit inside one frame. Faults are what the engine refuses or draws
otherwise than written; they end the run with 1. Notes are elements the skin leaves to the system
(not skinned, system colours); they are listed but are no fault.
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


def trim(text):
    """ui::Trim: every character up to the space counts as blank."""
    first, last = 0, len(text)
    while first < last and ord(text[first]) <= 32:
        first += 1
    while last > first and ord(text[last - 1]) <= 32:
        last -= 1
    return text[first:last]


def str_to_int(text):
    """TryStrToInt after ReadInteger's 0x -> $: None for anything but a whole 32-bit number."""
    if len(text) > 2 and text[0] == "0" and text[1] in "xX":
        text = "$" + text[2:]
    i, n = 0, len(text)
    while i < n and text[i] == " ":
        i += 1
    negative = False
    if i < n and text[i] in "+-":
        negative = text[i] == "-"
        i += 1
    if i >= n:
        return None
    hexadecimal = False
    if text[i] in "$xX":
        hexadecimal, i = True, i + 1
    elif text[i] == "0" and i + 1 < n and text[i + 1] in "xX":
        hexadecimal, i = True, i + 2
    if i >= n:
        return None
    if hexadecimal:
        digits = text[i:]
        if len(digits) > 8 or any(c not in "0123456789abcdefABCDEF" for c in digits):
            return None
        bits = int(digits, 16)
        if negative:
            bits = (-bits) & 0xFFFFFFFF
        return bits - (1 << 32) if bits >= 1 << 31 else bits
    digits = text[i:]
    if any(c not in "0123456789" for c in digits):
        return None
    magnitude = int(digits)
    if magnitude > 2147483648 or (not negative and magnitude > 2147483647):
        return None
    return -magnitude if negative else magnitude


def colour_components(text):
    """The numbers ParseColour reads: runs of digits, anything else separating them."""
    runs, run = [], ""
    for c in trim(text):
        if "0" <= c <= "9":
            run += c
        elif run:
            runs.append(int(run))
            run = ""
    if run:
        runs.append(int(run))
    return runs


class Ini:
    """The definition reader's lookup rules (skin/data/QuickIni.cpp)."""

    def __init__(self, text):
        self.lines = []
        self.sections = []
        text = text.split("\0", 1)[0]
        for raw in text.replace("\r\n", "\n").replace("\r", "\n").split("\n"):
            line = trim(raw)
            if not line or line.startswith(";"):
                continue
            self.lines.append(line)
            if len(line) >= 2 and line.startswith("[") and line.endswith("]"):
                self.sections.append((trim(line[1:-1]), line, len(self.lines) - 1))

    def section_names(self):
        return [n for n, _, _ in self.sections]

    def read(self, section, key, default=""):
        # The header line as written is compared, without regard to case.
        wanted = ("[" + section + "]").lower()
        start = next((i for _, line, i in self.sections if line.lower() == wanted), -1)
        if start < 0:
            return default
        for line in self.lines[start + 1:]:
            if len(line) >= 2 and line.startswith("[") and line.endswith("]"):
                break
            if "=" not in line:
                continue
            k, v = line.split("=", 1)
            if trim(k).lower() == key.lower():
                return trim(v) or default
        return default

    def has(self, section, key):
        return self.read(section, key, None) is not None

    def integer(self, section, key, default):
        value = str_to_int(self.read(section, key, ""))
        return default if value is None else value


def bmp_info(data):
    """ReadBmpInfo's checks: (width, rows) of a sound file, or the reason the engine refuses it."""
    if len(data) < 14 + 40:
        return "shorter than a BMP header"
    if data[:2] != b"BM":
        return "not a BMP file"
    file_size, = struct.unpack_from("<I", data, 2)
    if file_size != 0 and file_size > len(data):
        return "the header claims more bytes than the file holds"
    off, = struct.unpack_from("<I", data, 10)
    header, w, h, planes, bpp, comp, image_size = struct.unpack_from("<IiiHHII", data, 14)
    colours_used, = struct.unpack_from("<I", data, 14 + 32)
    if header < 40 or header > 124:
        return "unsupported info header size"
    if 14 + header > len(data):
        return "the info header runs past the end of the file"
    if w <= 0 or w > 16384 or h == 0 or abs(h) > 16384:
        return "image dimensions out of range"
    if w * abs(h) > 1 << 22:
        return "image too large"
    if planes != 1:
        return "plane count is not 1"
    if bpp not in (1, 4, 8, 16, 24, 32):
        return "unsupported bit count"
    if comp != 0 and not (comp == 3 and bpp in (16, 32)):
        return "unsupported compression"
    table = 14 + header
    if comp == 3:
        mask_offset = 14 + 40 if header >= 52 else table
        if mask_offset + 12 > len(data):
            return "the colour masks run past the end of the file"
        for mask in struct.unpack_from("<III", data, mask_offset):
            low = mask & -mask
            if mask == 0 or (mask + low) & mask:
                return "invalid colour mask"
        if header < 52:
            table += 12
    palette = 0
    if bpp <= 8:
        if colours_used > 1 << bpp:
            return "colour table larger than the bit count allows"
        palette = colours_used or 1 << bpp
    if table + 4 * palette > len(data):
        return "the colour table runs past the end of the file"
    if off < table + 4 * palette:
        return "the pixels start inside the headers"
    stride = (w * bpp + 31) // 32 * 4
    if off > len(data) or stride * abs(h) > len(data) - off:
        return "the pixel rows run past the end of the file"
    if image_size > len(data) - off:
        return "the header claims a larger image than the file holds"
    return w, abs(h)


def bmp_size(path, problems):
    try:
        with open(path, "rb") as fh:
            data = fh.read()
    except OSError:
        problems.append("missing image " + os.path.basename(path))
        return None
    info = bmp_info(data)
    if isinstance(info, str):
        problems.append("%s: the engine refuses this bitmap, and with it the whole skin: %s"
                        % (os.path.basename(path), info))
        return None
    return info


def check(folder, notes=None):
    """The faults of a skin folder; what it leaves to the system goes to `notes` (a list)."""
    problems = []
    notes = [] if notes is None else notes
    used = set()
    # The archive holds the folder's .ini and .bmp files in name order; the engine reads the first
    # whose name holds ".ini" and finds every file without regard to case.
    files = {}
    for f in sorted(os.listdir(folder), key=str.lower):
        if f.lower().endswith((".ini", ".bmp")):
            files.setdefault(f.lower(), f)
    ini_name = next((n for n in files.values() if ".ini" in n.lower()), None)
    if ini_name is None:
        return ["no definition (*.ini)"]
    with open(os.path.join(folder, ini_name), "rb") as fh:
        ini = Ini(fh.read().decode("latin-1"))

    def load(section, key, required=True):
        """The image a key names, as LoadSkinImage finds it: (name, (width, height)) or None."""
        value = ini.read(section, key)
        if not value:
            if required:
                notes.append("[%s] has no %s: the element is not skinned" % (section, key))
            return None
        name = value.replace(":", "\\").split("\\")[-1]
        if not name.endswith(".bmp"):
            problems.append("[%s] %s=%s: the engine loads only names ending in .bmp (lower "
                            "case)" % (section, key, value))
            return None
        if name.lower() not in files:
            problems.append("[%s] %s=%s: missing image %s" % (section, key, value, name))
            return None
        used.add(name.lower())
        size = bmp_size(os.path.join(folder, files[name.lower()]), problems)
        return None if size is None else (name, size)

    def cut(loaded, frames, vertical, margins=None):
        if loaded is None:
            return None
        name, (w, h) = loaded
        frames = frames or 1
        along = h if vertical else w
        if along % frames:
            problems.append("%s: %d pixels do not divide into %d frames" % (name, along, frames))
        fw, fh = (w, h // frames) if vertical else (w // frames, h)
        if margins:
            L, T, R, B = margins
            if L + R > fw or T + B > fh:
                problems.append("%s: margins %s do not fit a %dx%d frame" % (name, margins, fw, fh))
        return fw, fh

    def image(section, key, frames, vertical, margins=None, required=True):
        return cut(load(section, key, required), frames, vertical, margins)

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
        notes.append("no border is transparent: the window stays rectangular")
    # caption text, menu bar
    tb = image(p, "TextBack", 2, True, required=False)
    if tb and ini.integer(p, "TXTBackleft", 0) + ini.integer(p, "TXTBackRight", 0) >= tb[0]:
        problems.append("TextBack caps leave no middle to repeat")
    image(p, "menuBar", 2, True, (ini.integer(p, "TileLeftMenu", 1), 0,
                                  ini.integer(p, "TileRightMenu", 1), 0))
    for prefix in ("ActiveText", "InActiveText"):
        given = [ini.integer(p, prefix + c, -1) for c in "RGB"]
        if any(v >= 0 for v in given) and any(v < 0 for v in given):
            problems.append("%sR/G/B incomplete: the title keeps its default colour" % prefix)
    # colours: ParseColour takes the runs of digits, any other character separating them
    colour_keys = [("Colours", k) for k in COLOUR_KEYS] + \
        [("Customcolors", "Color%d" % k) for k in range(10)] + \
        [(n, "color") for n in ini.section_names()
         if n.upper().startswith("COLOUR") and n.upper() != "COLOURS"]
    for section, key in colour_keys:
        text = ini.read(section, key)
        if not text:
            notes.append("[%s] %s missing: the system's colour is used" % (section, key))
            continue
        parts = colour_components(text)
        if len(parts) != 3 or any(x > 255 for x in parts):
            problems.append("[%s] %s=%s is not three numbers 0-255" % (section, key, text))
    # buttons, check boxes, radio buttons
    image("Buttons", "Bitmap", 5, False, margins("Buttons"))
    # Check and radio strips without a frame count: 13-pixel cells under 16 pixels high, 16-pixel
    # cells otherwise, never fewer than 4 frames (TSkinDefinition::ApplyFrameCounts).
    for key in ("CheckButton", "RadioButton"):
        loaded = load("Buttons", key)
        frames = ini.integer("Buttons", key + "Frame", 0)
        if loaded and frames == 0:
            w, h = loaded[1]
            frames = max(w // (13 if h < 16 else 16), 4)
        cut(loaded, frames, False)
    for key in ("NormalColour2", "MouseOverColour2", "PressedColour2"):
        if not ini.read("Buttons", key):
            notes.append("[Buttons] %s missing: plain push buttons draw that state in "
                         "ButtonText" % key)
    # caption buttons (TSkinDefinition::ReadCaptionButtons)
    names = []
    for n in ini.section_names():
        u = n.upper()
        if not u.startswith("BUTTON") or u in ("BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"):
            continue
        # A hidden button without an action of its own is dropped.
        if ini.integer(u, "Action", 0) == -1 and ini.integer(u, "Visibility", -1) != 0:
            continue
        names.append(n)
    actions = set()
    for sec in names:
        action = ini.integer(sec, "Action", 0)
        actions.add(action)
        frames = ini.integer(sec, "frame", 0)
        loaded = load(sec, "ButtonImage", required=False)
        if frames == 0:
            # Computed: 3 frames for a strip at most 3.8 times as wide as high, else 6; a
            # system-menu button then shows the window icon instead of its image.
            frames = 6
            if loaded:
                w, h = loaded[1]
                frames = 3 if w / h <= 3.8 else 6
            if action < 0:
                frames = 6
            if action in (3, 11):
                continue
        if loaded is None and action not in (3, 11):
            notes.append("[%s] has no ButtonImage: the button is not shown" % sec)
        cut(loaded, frames, False)
    for action, what in ((0, "close"), (1, "maximise/restore"), (2, "minimise"), (3, "system menu")):
        if action not in actions:
            notes.append("no caption button for " + what)
    image("MDICONTROLS", "Image", 12, False)
    # generic slots
    for section, (key, frames, vertical) in SLOTS.items():
        if frames is None:
            frames = ini.integer(section, "FrameCount", 3)
        image(section, key, frames, vertical, margins(section))
        if section in SECOND_IMAGES:
            image(section, SECOND_IMAGES[section], 8 if section.startswith("UpDown") else 1, False,
                  required=section != "Tabs" and not section.startswith("UpDown"))
    # combo composite: the text area (2, 2)-(.., 18) of a 21-pixel picture is cut out
    if ini.integer("SunkEdge", "TopHeight", 0) > 2 or ini.integer("SunkEdge", "BottomHeight", 0) > 3:
        problems.append("SunkEdge margins reach into the combo's text area")
    if ini.read("HorzScrollThumb", "Image") and ini.read("VertScrollThumb", "Image") and ini.integer("HorzScrollThumb", "FrameCount", 3) != \
            ini.integer("VertScrollThumb", "FrameCount", 3):
        problems.append("both scroll thumbs are cut with the horizontal thumb's frame count")
    # every section is one the model reads; every picture is used
    for name in ini.section_names():
        n = name.lower()
        if n in KNOWN_SECTIONS or n.upper().startswith("BUTTON") or \
                (n.startswith("colour") and n != "colours"):
            continue
        notes.append("section [%s] is not read by the skin" % name)
    for f in files:
        if f.endswith(".bmp") and f not in used:
            notes.append(files[f] + " is not named by the definition")
    return problems


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "reprocessa")
    notes = []
    problems = check(folder, notes)
    for n in notes:
        print("check_skin: note: " + n)
    for p in problems:
        print("check_skin: " + p)
    if not problems:
        print("check_skin: %s %s" % (os.path.normpath(folder), "has no faults" if notes else "is complete"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
