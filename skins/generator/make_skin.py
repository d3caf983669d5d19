#!/usr/bin/env python3
"""Generates the product skin "Reprocessa Slate": every bitmap strip and the definition text.

    python3 skins/generator/make_skin.py [output folder]      (default: skins/reprocessa)
    python3 skins/generator/make_skin.py --variant contrast [output folder]
                                                              (default: tests/skins/contrast)

Writes 24-bit bottom-up BI_RGB BMP files and reprocessa.ini. The output is committed, so the
build only packs it; run this again after changing a colour or a shape here.

A variant draws the same elements with another palette and other frame sizes (see VARIANTS at the
end): "contrast" is the tests' second skin, so their pictures show the engine following the skin's
images and sizes rather than one look.

Look: a calm light theme. Very light grey faces, a deep blue-slate caption with white text,
1-pixel borders, a blue accent for focus, hover and selection. Sized for 96 DPI with 8-point
"MS Sans Serif"/Tahoma text.
"""

import os
import sys

from raster import (MAGENTA, Image, hstrip, vstrip, mix, lighten, darken, round_rect, disc,
                    pattern, bmp_bytes, line_aa, _coverage_round_rect)

# --- palette ----------------------------------------------------------------------------------
WHITE = (255, 255, 255)
FACE = (243, 245, 248)          # forms, panels, every skinned control's background
TEXT = (30, 41, 59)             # window, button and menu text
TEXT_SOFT = (71, 85, 105)       # status-bar and header text
ACCENT = (43, 108, 196)         # focus, hover, selection, checked boxes
ACCENT_DARK = (29, 82, 158)
ACCENT_SOFT = (231, 240, 252)   # hover fills
ACCENT_PRESS = (209, 224, 245)  # pressed fills
LINE = (196, 204, 214)          # quiet separators
BORDER = (168, 178, 192)        # control outlines
SHADOW = (150, 161, 176)        # ButtonShadow: edit outline, group-box line, disabled text
DK_SHADOW = (96, 107, 122)
DISABLED_FACE = (246, 247, 249)
DISABLED_LINE = (202, 208, 217)
DISABLED_GLYPH = (178, 186, 197)
TRACK = (225, 230, 236)         # scroll-bar track: a step darker than the face so the bar reads
TRACK_LINE = (210, 216, 224)    # its 1-px inset line along the content side
TRACK_DISABLED = (234, 237, 241)
GLYPH = (84, 96, 114)           # arrows on light faces
ACCENT_HOT = (62, 128, 214)     # checked boxes under the mouse
ACCENT_DEEP = (22, 66, 130)     # checked boxes pressed
BOX_BORDER = (128, 140, 158)    # unchecked boxes
BUTTON_BOTTOM = (236, 239, 243) # lower end of a raised face
PRESS_BORDER = (110, 138, 178)
PRESS_BOTTOM = (222, 232, 246)
HOVER_TOP = (246, 250, 255)
HOVER_BORDER = (160, 190, 230)
COMBO_BOTTOM = (234, 238, 243)
COMBO_PRESS_BOTTOM = (218, 230, 246)
COMBO_HOVER_BOTTOM = (221, 233, 250)
ACCENT_LIGHT = (82, 146, 226)   # progress fill
ACCENT_SHINE = (126, 176, 238)
ACCENT_SHINE_TAB = (120, 166, 226)
ACCENT_TINT = (219, 231, 248)   # hot tabs, checked tool buttons
SYSMENU_BORDER = (200, 214, 232)

# caption: active and inactive
CAP = {
    True: dict(outline=(22, 34, 52), hi=(84, 109, 142), top=(56, 82, 116), bottom=(41, 63, 93),
               text=WHITE, glyph=WHITE, hover=(79, 103, 135), press=(99, 121, 151)),
    False: dict(outline=(84, 96, 114), hi=(134, 147, 165), top=(112, 126, 146),
                bottom=(102, 116, 136), text=(226, 231, 237), glyph=(220, 226, 233),
                hover=(124, 138, 157), press=(138, 151, 169)),
}
CLOSE_HOVER = (196, 43, 28)
CLOSE_PRESS = (156, 34, 24)

# --- frame geometry -----------------------------------------------------------------------------
CAPTION_H = 30      # BorderTop: caption bar height
SIDE_W = 4          # BorderLeft, BorderRight
BOTTOM_H = 4        # BorderBottom
RADIUS = 7          # rounded top corners
TOP_CAP = 8         # left and right caps of the top border image
BTN_W, BTN_H, BTN_Y = 34, 29, 1    # caption buttons: flat, full caption height
SIDE_FILL = None    # colour of the side and bottom borders inside the outline; None: the face

SKIN_NAME = "Reprocessa Slate"
SKIN_PURPOSE = "the skin of the sequence reprocessing tool"
GENERATOR_OPTION = ""

# --- control geometry ---------------------------------------------------------------------------
BUTTON_W, BUTTON_H = 24, 25     # push-button frames
BUTTON_MARGIN = 4               # their nine-slice margins
BUTTON_RADIUS = 3.5
BUTTON_BW = 1                   # outline width; the default button's is one more
SUNK_BW = 1                     # combo-box outline width
SUNK_MARGINS = (2, 2, 2, 3)     # left, right, top, bottom; the combo's text area starts inside them
COMBO_MARGIN = 2                # combo button margins; its outer ring of that many pixels stays clear


def caption_row(y, active):
    """Colour of caption row y inside the window outline."""
    p = CAP[active]
    if y == 0:
        return p["outline"]
    if y == 1:
        return p["hi"]
    return mix(p["top"], p["bottom"], (y - 2) / (CAPTION_H - 3))


def side_colour(active):
    """Below the caption the frame is the face colour inside a 1-pixel outline."""
    return FACE if SIDE_FILL is None else SIDE_FILL[active]


def corner_pixel(wx, y, active):
    """Pixel of the caption area at window column wx (counted from the left edge), row y.

    Rounded top-left corner of radius RADIUS: outside is magenta (cut out of the window region),
    the arc is drawn in the outline colour and blends into the caption."""
    p = CAP[active]
    inside = caption_row(y, active)
    if wx >= RADIUS or y >= RADIUS:
        return p["outline"] if (wx == 0 or y == 0) else inside
    big = 1000
    outer = _coverage_round_rect(wx, y, 0, 0, big, big, RADIUS, samples=6)
    if outer < 0.5:
        return MAGENTA
    inner = _coverage_round_rect(wx, y, 1, 1, big, big, RADIUS - 1, samples=6)
    return mix(p["outline"], inside, inner / outer if outer else 0)


# --- window frame -------------------------------------------------------------------------------

def frame_left():
    frames = []
    h = CAPTION_H + 8 + BOTTOM_H
    for active in (True, False):
        p = CAP[active]
        f = Image(SIDE_W, h)
        for y in range(h):
            for x in range(SIDE_W):
                if y < CAPTION_H:
                    c = corner_pixel(x, y, active)
                elif x == 0 or y == h - 1:
                    c = p["outline"]
                else:
                    c = side_colour(active)
                f.set(x, y, c)
        frames.append(f)
    return hstrip(frames)


def frame_right():
    # Side borders hold their frames side by side: mirror each frame on its own.
    left = frame_left()
    frames = [left.crop(i * SIDE_W, 0, SIDE_W, left.h).mirrored() for i in range(2)]
    return hstrip(frames)


def frame_top():
    w = 2 * TOP_CAP + 16
    frames = []
    for active in (True, False):
        f = Image(w, CAPTION_H)
        for y in range(CAPTION_H):
            for c in range(TOP_CAP):
                f.set(c, y, corner_pixel(SIDE_W + c, y, active))
                f.set(w - 1 - c, y, corner_pixel(SIDE_W + c, y, active))
            for c in range(TOP_CAP, w - TOP_CAP):
                f.set(c, y, caption_row(y, active))
        frames.append(f)
    return vstrip(frames)


def frame_bottom():
    frames = []
    for active in (True, False):
        f = Image(16, BOTTOM_H, side_colour(active))
        f.hline(0, 16, BOTTOM_H - 1, CAP[active]["outline"])
        frames.append(f)
    return vstrip(frames)


def title_back():
    """Caption text background: a faint pill behind the title, blended with the caption rows."""
    cap = 5
    w = 2 * cap + 4
    frames = []
    for active in (True, False):
        f = Image(w, CAPTION_H)
        top, bottom = 6, CAPTION_H - 5
        for y in range(top, bottom):
            base = caption_row(y, active)
            pill = mix(base, WHITE, 0.09 if active else 0.07)
            for x in range(w):
                cov = _coverage_round_rect(x, y, 0, top, w, bottom, 4.5)
                if cov > 0:
                    f.set(x, y, mix(base, pill, cov))
        frames.append(f)
    return vstrip(frames)


# --- caption buttons ----------------------------------------------------------------------------

def glyph_close(f, x, y, c):
    for i in range(10):
        f.set(x + i, y + i, c)
        f.set(x + 9 - i, y + i, c)


def glyph_max(f, x, y, c):
    f.frame(x, y, x + 10, y + 10, c)


def glyph_restore(f, x, y, c):
    f.hline(x + 2, x + 10, y, c)
    f.vline(x + 9, y, y + 8, c)
    f.hline(x + 8, x + 10, y + 7, c)
    f.vline(x + 2, y, y + 2, c)
    f.frame(x, y + 2, x + 8, y + 10, c)


def glyph_min(f, x, y, c):
    f.hline(x, x + 10, y + 5, c)


def caption_button(glyph, close=False):
    frames = []
    # 1 normal, 2 pressed, 3 mouse over, 4 inactive window
    for state in (1, 2, 3, 4):
        active = state != 4
        p = CAP[active]
        f = Image(BTN_W, BTN_H)
        if state == 2:
            f.fill(0, 0, BTN_W, BTN_H, CLOSE_PRESS if close else p["press"])
        elif state == 3:
            f.fill(0, 0, BTN_W, BTN_H, CLOSE_HOVER if close else p["hover"])
        colour = p["glyph"]
        glyph(f, (BTN_W - 10) // 2, (BTN_H - 10) // 2, colour)
        frames.append(f)
    return hstrip(frames)


def sysmenu_button():
    """Place holder for the system-menu button: the frame draws the window icon over it."""
    f = Image(16, 16)
    round_rect(f, 1, 2, 15, 14, 2, WHITE, border=SYSMENU_BORDER)
    f.fill(2, 3, 14, 6, ACCENT)
    return f


def mdi_controls():
    """Three MDI child buttons for the menu bar, 4 frames each: normal, pressed, -, mouse over."""
    a = 16
    out = []
    for glyph in ("min", "restore", "close"):
        for state in (1, 2, 3, 4):
            f = Image(a, a)
            if state == 2:
                round_rect(f, 0, 0, a, a, 2, ACCENT_PRESS, border=ACCENT)
            elif state in (3, 4):
                round_rect(f, 0, 0, a, a, 2, ACCENT_SOFT, border=HOVER_BORDER)
            c = TEXT
            if glyph == "min":
                f.hline(4, 12, 10, c)
                f.hline(4, 12, 11, c)
            elif glyph == "restore":
                f.frame(6, 3, 13, 10, c)
                f.fill(3, 6, 10, 13, MAGENTA if state == 1 else
                       (ACCENT_PRESS if state == 2 else ACCENT_SOFT))
                f.frame(3, 6, 10, 13, c)
                f.hline(3, 10, 7, c)
            else:
                for i in range(8):
                    f.set(4 + i, 4 + i, c)
                    f.set(11 - i, 4 + i, c)
                    f.set(5 + i, 4 + i, c)
                    f.set(12 - i, 4 + i, c)
            out.append(f)
    return hstrip(out)


# --- push buttons, check boxes, radio buttons ----------------------------------------------------

def push_button():
    """5 frames: normal, pressed, disabled, mouse over / focused, default."""
    w, h = BUTTON_W, BUTTON_H
    specs = [
        dict(border=BORDER, top=WHITE, bottom=BUTTON_BOTTOM),
        dict(border=PRESS_BORDER, top=ACCENT_PRESS, bottom=PRESS_BOTTOM),
        dict(border=DISABLED_LINE, top=DISABLED_FACE, bottom=DISABLED_FACE),
        dict(border=ACCENT, top=HOVER_TOP, bottom=ACCENT_SOFT),
        dict(border=ACCENT, top=WHITE, bottom=BUTTON_BOTTOM, bw=BUTTON_BW + 1),
    ]
    frames = []
    for s in specs:
        f = Image(w, h)
        round_rect(f, 0, 0, w, h, BUTTON_RADIUS, s["top"], border=s["border"], bw=s.get("bw", BUTTON_BW),
                   fill_bottom=s["bottom"], backdrop=FACE)
        # Magenta outside the corners so the face sits on the parent's colour.
        for y in range(h):
            for x in range(w):
                if _coverage_round_rect(x, y, 0, 0, w, h, BUTTON_RADIUS) < 0.25:
                    f.set(x, y, MAGENTA)
        frames.append(f)
    return hstrip(frames)


CHECK_MARK = [
    "..........",
    "........##",
    ".......##.",
    "##....##..",
    ".##..##...",
    "..####....",
    "...##.....",
]


def check_box():
    """12 frames of 13 x 13: unchecked, checked and indeterminate groups of
    normal, mouse over, pressed, disabled."""
    n = 13
    frames = []
    for group in ("off", "on", "mixed"):
        for state in ("normal", "hot", "pressed", "disabled"):
            f = Image(n, n)
            if group == "on":
                fill = {"normal": ACCENT, "hot": ACCENT_HOT, "pressed": ACCENT_DARK,
                        "disabled": DISABLED_GLYPH}[state]
                border = {"normal": ACCENT_DARK, "hot": ACCENT, "pressed": ACCENT_DEEP,
                          "disabled": DISABLED_GLYPH}[state]
            else:
                fill = {"normal": WHITE, "hot": ACCENT_SOFT, "pressed": ACCENT_PRESS,
                        "disabled": DISABLED_FACE}[state]
                border = {"normal": BOX_BORDER, "hot": ACCENT, "pressed": ACCENT_DARK,
                          "disabled": DISABLED_LINE}[state]
                if group == "mixed" and state != "disabled":
                    border = ACCENT if state == "normal" else border
            round_rect(f, 0, 0, n, n, 2.5, fill, border=border, backdrop=FACE)
            for y in range(n):
                for x in range(n):
                    if _coverage_round_rect(x, y, 0, 0, n, n, 2.5) < 0.3:
                        f.set(x, y, MAGENTA)
            if group == "on":
                pattern(f, 2, 3, CHECK_MARK, {"#": WHITE})
            elif group == "mixed":
                c = DISABLED_GLYPH if state == "disabled" else ACCENT
                f.fill(3, 3, 10, 10, c)
            frames.append(f)
    return hstrip(frames)


def radio_button():
    """8 frames of 13 x 13: unchecked and checked groups of normal, mouse over, pressed,
    disabled."""
    n = 13
    frames = []
    for group in ("off", "on"):
        for state in ("normal", "hot", "pressed", "disabled"):
            f = Image(n, n)
            if group == "on":
                fill = {"normal": ACCENT, "hot": ACCENT_HOT, "pressed": ACCENT_DARK,
                        "disabled": DISABLED_GLYPH}[state]
                border = fill
            else:
                fill = {"normal": WHITE, "hot": ACCENT_SOFT, "pressed": ACCENT_PRESS,
                        "disabled": DISABLED_FACE}[state]
                border = {"normal": BOX_BORDER, "hot": ACCENT, "pressed": ACCENT_DARK,
                          "disabled": DISABLED_LINE}[state]
            round_rect(f, 0, 0, n, n, n / 2, fill, border=border, backdrop=FACE)
            for y in range(n):
                for x in range(n):
                    if _coverage_round_rect(x, y, 0, 0, n, n, n / 2) < 0.12:
                        f.set(x, y, MAGENTA)
            if group == "on":
                sub = Image(n, n, fill)
                disc(sub, n / 2, n / 2, 2.6, WHITE, backdrop=fill)
                for y in range(3, 10):
                    for x in range(3, 10):
                        f.set(x, y, sub.get(x, y))
            frames.append(f)
    return hstrip(frames)


# --- progress bar ---------------------------------------------------------------------------------

def progress():
    """2 frames: the empty track and the filled part (drawn over the track)."""
    w, h = 16, 21
    track = Image(w, h)
    round_rect(track, 0, 0, w, h, 3.5, (233, 237, 242), border=BORDER, backdrop=FACE)
    track.hline(2, w - 2, 1, (224, 229, 236))
    fill = Image(w, h)
    round_rect(fill, 0, 0, w, h, 3.5, ACCENT_LIGHT, border=ACCENT_DARK, fill_bottom=ACCENT,
               backdrop=FACE)
    fill.hline(3, w - 3, 1, ACCENT_SHINE)
    for img in (track, fill):
        for y in range(h):
            for x in range(w):
                if _coverage_round_rect(x, y, 0, 0, w, h, 3.5) < 0.3:
                    img.set(x, y, MAGENTA)
    return hstrip([track, fill])


def progress_chunk():
    """One block of the block-style bar plus the gap after it."""
    f = Image(10, 15)
    f.vgradient(0, 0, 8, 15, ACCENT_LIGHT, ACCENT)
    return f


# --- menus -----------------------------------------------------------------------------------------

MENU_BAR_H = 18


def menu_bar():
    frames = []
    for active in (True, False):
        f = Image(16, MENU_BAR_H)
        # a shade darker than the face, so the white frame of a hot item shows
        f.vgradient(0, 0, 16, MENU_BAR_H, (238, 241, 245) if active else (243, 245, 248),
                    (225, 230, 237) if active else (235, 238, 242))
        frames.append(f)
    return vstrip(frames)


def menu_item():
    """5 frames: normal (transparent), separator, disabled, selected, selected again."""
    w, h = 24, 20
    normal = Image(w, h)
    sep = Image(w, h)
    sep.hline(4, w - 4, h - 5, LINE)
    disabled = Image(w, h)
    sel = Image(w, h)
    round_rect(sel, 2, 1, w - 2, h - 1, 3, ACCENT, threshold=0.45)
    return hstrip([normal, sep, disabled, sel, sel.copy()])


def menu_background():
    f = Image(16, 16, WHITE)
    f.frame(0, 0, 16, 16, (160, 171, 186))
    return f


# --- scroll bars --------------------------------------------------------------------------------------

SB = 17   # SM_CXHSCROLL at 96 DPI


def arrow_glyph(f, cx, cy, direction, colour, depth=4):
    """Filled triangle, 2 * depth - 1 wide and depth deep, pointing in direction, centred on
    (cx, cy)."""
    top = -(depth // 2)
    for i in range(depth):
        half = i
        if direction == "up":
            f.hline(cx - half, cx + half + 1, cy + top + i, colour)
        elif direction == "down":
            f.hline(cx - half, cx + half + 1, cy + top + depth - 1 - i, colour)
        elif direction == "left":
            f.vline(cx + top + i, cy - half, cy + half + 1, colour)
        else:
            f.vline(cx + top + depth - 1 - i, cy - half, cy + half + 1, colour)


def scroll_arrows():
    """23 frames: left, right, up, down arrows in groups of normal, pressed, mouse over, disabled;
    then the size-box corner and plain track pieces. The bar draws only the normal and pressed
    arrows (1, 2, 5, 6, 9, 10, 13, 14); the rest fill the strip out to the count it is cut into."""
    frames = []
    for direction in ("left", "right", "up", "down"):
        for state in ("normal", "pressed", "hot", "disabled"):
            bg = {"normal": TRACK, "pressed": (196, 204, 215), "hot": (212, 218, 226),
                  "disabled": TRACK_DISABLED}[state]
            fg = {"normal": GLYPH, "pressed": TEXT, "hot": TEXT,
                  "disabled": DISABLED_GLYPH}[state]
            f = Image(SB, SB, bg)
            # the track's inset line runs on through the arrow buttons
            if state != "pressed":
                if direction in ("up", "down"):
                    f.vline(0, 0, SB, TRACK_LINE)
                else:
                    f.hline(0, SB, 0, TRACK_LINE)
            arrow_glyph(f, SB // 2, SB // 2, direction, fg)
            frames.append(f)
    frames.append(Image(SB, SB, FACE))
    while len(frames) < 23:
        frames.append(Image(SB, SB, TRACK))
    return hstrip(frames)


def scroll_track(vertical):
    """4 frames: normal, pressed, disabled, mouse over."""
    frames = []
    for bg, line in ((TRACK, TRACK_LINE), ((212, 218, 226), (198, 206, 216)),
                     (TRACK_DISABLED, (226, 230, 235)), ((218, 224, 231), (204, 211, 220))):
        if vertical:
            f = Image(SB, 8, bg)
            f.vline(0, 0, 8, line)
        else:
            f = Image(8, SB, bg)
            f.hline(0, 8, 0, line)
        frames.append(f)
    return hstrip(frames)


def scroll_thumb(vertical):
    """3 frames: normal, dragged, mouse over. A slim rounded bar centred across the track."""
    frames = []
    length = 20
    for colour in ((170, 180, 193), (112, 126, 146), (148, 159, 175)):
        f = Image(length, SB)
        round_rect(f, 0, 4, length, SB - 4, 4.5, colour, backdrop=TRACK)
        for y in range(SB):
            for x in range(length):
                if _coverage_round_rect(x, y, 0, 4, length, SB - 4, 4.5) <= 0:
                    f.set(x, y, MAGENTA)
        frames.append(f.rotated_right() if vertical else f)
    return hstrip(frames)


# --- track bar, up-down ------------------------------------------------------------------------------

def trackbar_thumb(kind):
    """5 frames: normal, normal (the frame the track bar draws), mouse over, pressed, disabled.
    kind: horz, vert (plain pill) or up, down, left, right (pointed)."""
    w, h = 11, 21
    frames = []
    for fill, border in ((ACCENT, ACCENT_DARK), (ACCENT, ACCENT_DARK),
                         (ACCENT_HOT, ACCENT), (ACCENT_DARK, ACCENT_DEEP),
                         (DISABLED_GLYPH, (160, 168, 180))):
        f = Image(w, h)
        if kind in ("horz", "vert", "left", "right"):
            round_rect(f, 0, 0, w, h, 5.5, fill, border=border, backdrop=FACE)
            mask = lambda x, y: _coverage_round_rect(x, y, 0, 0, w, h, 5.5) < 0.3
        else:
            # pointing down: body with a tip at the bottom
            body = h - 5
            round_rect(f, 0, 0, w, body + 2, 2.5, fill, border=border, backdrop=FACE)
            for i in range(6):
                for x in range(i, w - i):
                    f.set(x, body + i, border if x in (i, w - 1 - i) else fill)
                if i < 5:
                    pass
            for i in range(6):
                f.set(i, body + i, border)
                f.set(w - 1 - i, body + i, border)
            mask = lambda x, y: (y < body and _coverage_round_rect(x, y, 0, 0, w, body + 2,
                                                                   2.5) < 0.3) or \
                (y >= body and (x < y - body or x > w - 1 - (y - body)))
        for y in range(h):
            for x in range(w):
                if mask(x, y):
                    f.set(x, y, MAGENTA)
        if kind == "up":
            f = f.flipped()
        frames.append(f)
    strip = hstrip(frames)
    if kind in ("vert", "left", "right"):
        frames = [strip.crop(i * w, 0, w, h).rotated_right() for i in range(5)]
        if kind == "left":
            # pointed end to the left: rebuild from the down shape
            frames = [fr for fr in (trackbar_frames("down", i).rotated_right() for i in range(5))]
        elif kind == "right":
            frames = [trackbar_frames("down", i).rotated_left() for i in range(5)]
        strip = hstrip(frames)
    return strip


def trackbar_frames(kind, i):
    s = trackbar_thumb(kind)
    fw = s.w // 5
    return s.crop(i * fw, 0, fw, s.h)


def updown(horizontal):
    """Faces: 8 frames, first button normal, pressed, disabled, mouse over; then the second."""
    w, h = (11, 16) if horizontal else (16, 11)
    frames = []
    for button in (0, 1):
        for bg in ((236, 240, 245), ACCENT_PRESS, DISABLED_FACE, ACCENT_SOFT):
            f = Image(w, h, bg)
            if horizontal:
                f.vline(0, 0, h, LINE)
            else:
                f.vline(0, 0, h, LINE)
                if button == 1:
                    f.hline(0, w, 0, LINE)
            frames.append(f)
    return hstrip(frames)


def updown_glyphs(horizontal):
    """Arrow glyphs: 8 frames matching the faces (first button up/left, second down/right)."""
    frames = []
    dirs = ("left", "right") if horizontal else ("up", "down")
    for d in dirs:
        for colour in (GLYPH, TEXT, DISABLED_GLYPH, ACCENT_DARK):
            # 9 x 5: fits the half of a 16 x 21 up-down beside an edit with room to spare
            f = Image(5, 9) if horizontal else Image(9, 5)
            if horizontal:
                arrow_glyph(f, 2, 4, d, colour, depth=5)
            else:
                arrow_glyph(f, 4, 2, d, colour, depth=5)
            frames.append(f)
    return hstrip(frames)


# --- combo box, edges, tabs, header, status bar, group box, tool bar -----------------------------

COMBO_H = 21
COMBO_BTN_W = SB + 2


def sunk_edge():
    """4 frames around a combo box: normal, pressed, disabled, mouse over / focused."""
    w = 12
    frames = []
    for border, inner in ((BORDER, WHITE), (ACCENT, WHITE), (DISABLED_LINE, DISABLED_FACE),
                          (ACCENT, WHITE)):
        f = Image(w, COMBO_H, inner)
        for i in range(SUNK_BW):
            f.frame(i, i, w - i, COMBO_H - i, border)
        frames.append(f)
    return hstrip(frames)


def combo_button():
    """4 frames: normal, pressed, disabled, mouse over / focused. The outer ring stays magenta so
    the sunken edge drawn underneath frames the whole control."""
    w = COMBO_BTN_W
    r = COMBO_MARGIN - 1
    frames = []
    for top, bottom, sep in ((FACE, COMBO_BOTTOM, LINE), (ACCENT_PRESS, COMBO_PRESS_BOTTOM, ACCENT),
                             (DISABLED_FACE, DISABLED_FACE, DISABLED_LINE),
                             (ACCENT_SOFT, COMBO_HOVER_BOTTOM, HOVER_BORDER)):
        f = Image(w, COMBO_H)
        f.vgradient(r, r, w - r, COMBO_H - r, top, bottom)
        f.vline(r, r, COMBO_H - r, sep)
        frames.append(f)
    return hstrip(frames)


def extra_images():
    """5 frames of 12 x 12: the combo arrow in the combo states (normal, pressed, disabled,
    mouse over), then the size grip."""
    frames = []
    for colour in (GLYPH, TEXT, DISABLED_GLYPH, ACCENT_DARK):
        f = Image(12, 12)
        # chevron
        for i in range(4):
            f.set(2 + i, 4 + i, colour)
            f.set(3 + i, 4 + i, colour)
            f.set(9 - i, 4 + i, colour)
            f.set(8 - i, 4 + i, colour)
        frames.append(f)
    grip = Image(12, 12)
    for row in range(3):
        for col in range(3):
            if col + row >= 2:
                x, y = 2 + col * 3, 2 + row * 3
                grip.fill(x, y, x + 2, y + 2, (172, 181, 194))
                grip.set(x + 1, y + 1, (132, 143, 160))
    frames.append(grip)
    return hstrip(frames)


def tabs():
    """5 frames: normal, selected, mouse over, disabled, normal."""
    w, h = 20, 22
    frames = []
    for state in ("normal", "selected", "hot", "disabled", "normal"):
        f = Image(w, h)
        if state == "selected":
            round_rect(f, 0, 0, w, h + 4, 3, WHITE, border=BORDER, fill_bottom=FACE,
                       backdrop=FACE)
            f.hline(2, w - 2, 0, ACCENT)
            f.hline(1, w - 1, 1, ACCENT)
            f.hline(1, w - 1, 2, ACCENT_SHINE_TAB)
        else:
            top = {"normal": (233, 237, 242), "hot": ACCENT_SOFT,
                   "disabled": DISABLED_FACE}[state]
            bottom = {"normal": (224, 229, 236), "hot": ACCENT_TINT,
                      "disabled": DISABLED_FACE}[state]
            round_rect(f, 0, 2, w, h + 4, 3, top, border=BORDER if state != "disabled"
                       else DISABLED_LINE, fill_bottom=bottom, backdrop=FACE)
            f.fill(0, 0, w, 2, MAGENTA)
        for y in range(h):
            for x in range(w):
                y0 = 0 if state == "selected" else 2
                if y < y0 or _coverage_round_rect(x, y, 0, y0, w, h + 4, 3) < 0.3:
                    f.set(x, y, MAGENTA)
        frames.append(f)
    return hstrip(frames)


def tab_border():
    """Page border: drawn as eight pieces with margins 4, 5, 4, 4 (no centre)."""
    f = Image(16, 16, FACE)
    f.frame(0, 0, 16, 16, BORDER)
    f.hline(1, 15, 1, WHITE)
    return f


def header_bar():
    """5 frames: normal, pressed, mouse over, disabled, normal."""
    w, h = 16, 20
    frames = []
    for top, bottom in ((WHITE, (241, 244, 247)), (ACCENT_PRESS, (218, 230, 246)),
                        (ACCENT_SOFT, (222, 233, 249)), (DISABLED_FACE, DISABLED_FACE),
                        (WHITE, (241, 244, 247))):
        f = Image(w, h)
        f.vgradient(0, 0, w, h, top, bottom)
        f.hline(0, w, h - 1, BORDER)
        f.vline(w - 1, 3, h - 4, LINE)
        frames.append(f)
    return hstrip(frames)


def status_edges():
    """3 frames: lowered panel (the usual one), raised panel, no bevel."""
    w, h = 12, 20
    frames = []
    for kind in ("lowered", "raised", "none"):
        f = Image(w, h, FACE)
        if kind != "none":
            f.vline(w - 2, 4, h - 4, LINE)
            if kind == "raised":
                f.vline(w - 1, 4, h - 4, WHITE)
        frames.append(f)
    return hstrip(frames)


def group_box_edge():
    """2 frames: enabled, disabled. Rounded outline, transparent inside and outside."""
    w = h = 16
    frames = []
    for colour in (BORDER, DISABLED_LINE):
        f = Image(w, h)
        for y in range(h):
            for x in range(w):
                o = _coverage_round_rect(x, y, 0, 0, w, h, 4)
                i = _coverage_round_rect(x, y, 1, 1, w - 1, h - 1, 3)
                if o - i >= 0.4:
                    f.set(x, y, mix(FACE, colour, min(1.0, (o - i) * 1.3)))
        frames.append(f)
    return hstrip(frames)


def group_box_label():
    """Caption background of a group box: the face colour, so the outline stops at the text."""
    f = Image(24, 16, FACE)
    return f


def toolbar_buttons():
    """5 frames: normal (flat), pressed, disabled (flat), mouse over, checked."""
    w = h = 22
    frames = []
    for kind in ("normal", "pressed", "disabled", "hot", "checked"):
        f = Image(w, h)
        if kind == "pressed":
            round_rect(f, 0, 0, w, h, 3, ACCENT_PRESS, border=PRESS_BORDER, backdrop=FACE)
        elif kind == "hot":
            round_rect(f, 0, 0, w, h, 3, ACCENT_SOFT, border=HOVER_BORDER, backdrop=FACE)
        elif kind == "checked":
            round_rect(f, 0, 0, w, h, 3, ACCENT_TINT, border=ACCENT, backdrop=FACE)
        if kind in ("pressed", "hot", "checked"):
            for y in range(h):
                for x in range(w):
                    if _coverage_round_rect(x, y, 0, 0, w, h, 3) < 0.3:
                        f.set(x, y, MAGENTA)
        frames.append(f)
    return hstrip(frames)


# --- the definition ------------------------------------------------------------------------------

def rgb(c):
    return "%d %d %d" % c


def definition():
    close_x = SIDE_W + BTN_W
    max_x = close_x + BTN_W
    min_x = max_x + BTN_W
    act, ina = CAP[True], CAP[False]
    lines = f"""; {SKIN_NAME} - {SKIN_PURPOSE}.
; Generated by skins/generator/make_skin.py{GENERATOR_OPTION}; edit the generator, not this file.
; Frames count from 1; magenta (255 0 255) is transparent wherever Trans or a strip says so.

[TitlebarSkin]
SkinName={SKIN_NAME}

[Personality]
; window frame: side borders hold 2 frames side by side (active, inactive), top and bottom
; borders 2 frames stacked. The caption is the height of one top frame ({CAPTION_H} px).
Left=left.bmp
Right=right.bmp
Top=top.bmp
Bottom=bottom.bmp
LeftFrame=2
RightFrame=2
TopFrame=2
BottomFrame=2
LeftTopHeight={CAPTION_H}
LeftBotHeight={BOTTOM_H}
RightTopHeight={CAPTION_H}
RightBotHeight={BOTTOM_H}
TopTopHeight={TOP_CAP}
TopBotHeight={TOP_CAP}
BottomTopHeight=0
BottomBotHeight=0
LeftStretch=1
RightStretch=1
TopStretch=1
BottomStretch=1
; rounded top corners are cut out of the window region
LeftTrans=1
RightTrans=1
TopTrans=1
BottomTrans=0
; caption text
TextBack=titleback.bmp
TextShift=24
TextShiftVert=0
TextRightClip={min_x + 2}
TextAlignment=0
Textbackground=1
TXTBackleft=5
TXTBackRight=5
ActiveTextR={act['text'][0]}
ActiveTextG={act['text'][1]}
ActiveTextB={act['text'][2]}
InActiveTextR={ina['text'][0]}
InActiveTextG={ina['text'][1]}
InActiveTextB={ina['text'][2]}
; menu bar: 2 frames stacked (active, inactive)
menuBar=menubar.bmp
TileMenu=0
TileLeftMenu=1
TileRightMenu=1

[Fonts]
FontHeight=14

[Colours]
WindowText={rgb(TEXT)}
ButtonFace={rgb(FACE)}
Scrollbar={rgb(TRACK)}
HilightText={rgb(WHITE)}
Hilight={rgb(ACCENT)}
Menubar={rgb((232, 236, 241))}
Menu={rgb(WHITE)}
MenuText={rgb(TEXT)}
ButtonText={rgb(TEXT)}
ButtonHilight={rgb(WHITE)}
Buttonlight={rgb((227, 231, 236))}
ButtonShadow={rgb(SHADOW)}
ButtonDkShadow={rgb(DK_SHADOW)}
MenuBarText={rgb(TEXT)}
TitleTextActive={rgb(act['text'])}
TitleTextNoActive={rgb(ina['text'])}

[Colour.Accent]
color={rgb(ACCENT)}

[Customcolors]
Color0={rgb(ACCENT)}
Color1={rgb(ACCENT_DARK)}
Color2={rgb(ACCENT_SOFT)}
Color3={rgb(act['bottom'])}
Color4={rgb(FACE)}
Color5={rgb(BORDER)}
Color6={rgb(TEXT)}
Color7={rgb(TEXT_SOFT)}
Color8={rgb(CLOSE_HOVER)}
Color9={rgb(WHITE)}

; caption buttons: 4 frames each (normal, pressed, mouse over, inactive window).
; Align 1 counts Xcoord from the right edge of the window.
[Button.Close]
ButtonImage=close.bmp
Action=0
Align=1
Xcoord={close_x}
Ycoord={BTN_Y}
Visibility=0
frame=4

[Button.Maximize]
ButtonImage=maximize.bmp
Action=1
Align=1
Xcoord={max_x}
Ycoord={BTN_Y}
Visibility=2
frame=4

[Button.Restore]
ButtonImage=restore.bmp
Action=1
Align=1
Xcoord={max_x}
Ycoord={BTN_Y}
Visibility=1
frame=4

; minimise beside maximise, or in its place on windows without a maximise box
[Button.Minimize]
ButtonImage=minimize.bmp
Action=2
Align=1
Xcoord={min_x}
Ycoord={BTN_Y}
Visibility=6
Visibility1=8
frame=4

[Button.MinimizeAlone]
ButtonImage=minimize.bmp
Action=2
Align=1
Xcoord={max_x}
Ycoord={BTN_Y}
Visibility=7
Visibility1=8
frame=4

; system menu: the window icon is drawn here
[Button.SysMenu]
ButtonImage=sysmenu.bmp
Action=3
Align=0
Xcoord=10
Ycoord={(CAPTION_H - 16) // 2}
Visibility=0
frame=1

[MDICONTROLS]
Image=mdicontrols.bmp

; push buttons: normal, pressed, disabled, mouse over / focused, default
[Buttons]
Bitmap=button.bmp
CheckButton=checkbox.bmp
RadioButton=radio.bmp
LeftWidth={BUTTON_MARGIN}
RightWidth={BUTTON_MARGIN}
TopHeight={BUTTON_MARGIN}
BottomHeight={BUTTON_MARGIN}
Trans=1
Tile=0
CheckButtonFrame=12
RadioButtonFrame=8
NormalColour2={rgb(TEXT)}
MouseOverColour2={rgb(TEXT)}
PressedColour2={rgb(TEXT)}

[Progress]
Bitmap=progress.bmp
Chunk=progresschunk.bmp
Style=0
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0

[GroupBoxEdge]
Image=groupboxedge.bmp
LeftWidth=5
RightWidth=5
TopHeight=5
BottomHeight=5
Trans=1
Tile=0

[GroupBox]
Image=groupbox.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=0
BackgroundAlignment=0
BackgroundLeftShift=4
BackgroundRightShift=4
NormalColour2={rgb(TEXT)}

[Toolbars]
Image=toolbar.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0
NormalColour2={rgb(TEXT)}
MouseOverColour2={rgb(TEXT)}
PressedColour2={rgb(TEXT)}

; tabs: normal, selected, mouse over, disabled, normal; Border is the page frame
[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=3
Trans=1
Tile=0
NormalColour2={rgb(TEXT_SOFT)}
MouseOverColour2={rgb(TEXT)}

[StatusBarEdges]
Image=statusbar.bmp
LeftWidth=1
RightWidth=2
TopHeight=4
BottomHeight=4
Trans=0
Tile=0
NormalColour2={rgb(TEXT_SOFT)}

; combo box: the button is composed with SunkEdge and the arrow of ExtraImages at load time
[ComboButton]
Image=combobutton.bmp
LeftWidth={COMBO_MARGIN}
RightWidth={COMBO_MARGIN}
TopHeight={COMBO_MARGIN}
BottomHeight={COMBO_MARGIN}
Trans=1
Tile=0

[SunkEdge]
Image=sunkedge.bmp
LeftWidth={SUNK_MARGINS[0]}
RightWidth={SUNK_MARGINS[1]}
TopHeight={SUNK_MARGINS[2]}
BottomHeight={SUNK_MARGINS[3]}
Trans=1
Tile=0

; combo arrow in 4 states, then the size grip
[ExtraImages]
Image=extraimages.bmp
Trans=1

[Headerbar]
Image=headerbar.bmp
LeftWidth=2
RightWidth=2
TopHeight=4
BottomHeight=2
Trans=0
Tile=0
NormalColour2={rgb(TEXT_SOFT)}

; menu items: normal, separator, disabled, selected, selected
[MenuItem]
Image=menuitem.bmp
LeftWidth=4
RightWidth=4
TopHeight=3
BottomHeight=3
Trans=1
Tile=0

[MenuBackground]
Image=menuback.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=0
Tile=0

; scroll bars: 23 arrow frames (left, right, up, down x normal, pressed, mouse over, disabled)
[Scrollbar]
Image=scrollbar.bmp
Trans=1

[HorzScroll]
Image=hscroll.bmp
TopHeight=1
Trans=0
Tile=0

[VertScroll]
Image=vscroll.bmp
LeftWidth=1
Trans=0
Tile=0

[HorzScrollThumb]
Image=hthumb.bmp
FrameCount=3
LeftWidth=6
RightWidth=6
Trans=1
Tile=0

[VertScrollThumb]
Image=vthumb.bmp
FrameCount=3
TopHeight=6
BottomHeight=6
Trans=1
Tile=0

[Trackbar.ThumbHorz]
Image=trackhorz.bmp
Trans=1

[Trackbar.ThumbVert]
Image=trackvert.bmp
Trans=1

[Trackbar.ThumbLeft]
Image=trackleft.bmp
Trans=1

[Trackbar.ThumbRight]
Image=trackright.bmp
Trans=1

[Trackbar.ThumbUp]
Image=trackup.bmp
Trans=1

[Trackbar.ThumbDown]
Image=trackdown.bmp
Trans=1

; up-down buttons: faces and arrow glyphs, 8 frames (first button x4, second button x4)
[UpDown.Horz]
Image=updownh.bmp
GlyphImage=updownhglyph.bmp
Trans=1
Tile=0

[UpDown.Vert]
Image=updownv.bmp
GlyphImage=updownvglyph.bmp
Trans=1
Tile=0
"""
    return lines.replace("\n", "\r\n")


# Archive order: the definition first, then the bitmaps in the order the definition names them.
def bitmaps():
    return [
        ("left.bmp", frame_left),
        ("right.bmp", frame_right),
        ("top.bmp", frame_top),
        ("bottom.bmp", frame_bottom),
        ("titleback.bmp", title_back),
        ("menubar.bmp", menu_bar),
        ("close.bmp", lambda: caption_button(glyph_close, close=True)),
        ("maximize.bmp", lambda: caption_button(glyph_max)),
        ("restore.bmp", lambda: caption_button(glyph_restore)),
        ("minimize.bmp", lambda: caption_button(glyph_min)),
        ("sysmenu.bmp", sysmenu_button),
        ("mdicontrols.bmp", mdi_controls),
        ("button.bmp", push_button),
        ("checkbox.bmp", check_box),
        ("radio.bmp", radio_button),
        ("progress.bmp", progress),
        ("progresschunk.bmp", progress_chunk),
        ("groupboxedge.bmp", group_box_edge),
        ("groupbox.bmp", group_box_label),
        ("toolbar.bmp", toolbar_buttons),
        ("tabs.bmp", tabs),
        ("tabborder.bmp", tab_border),
        ("statusbar.bmp", status_edges),
        ("combobutton.bmp", combo_button),
        ("sunkedge.bmp", sunk_edge),
        ("extraimages.bmp", extra_images),
        ("headerbar.bmp", header_bar),
        ("menuitem.bmp", menu_item),
        ("menuback.bmp", menu_background),
        ("scrollbar.bmp", scroll_arrows),
        ("hscroll.bmp", lambda: scroll_track(False)),
        ("vscroll.bmp", lambda: scroll_track(True)),
        ("hthumb.bmp", lambda: scroll_thumb(False)),
        ("vthumb.bmp", lambda: scroll_thumb(True)),
        ("trackhorz.bmp", lambda: trackbar_thumb("horz")),
        ("trackvert.bmp", lambda: trackbar_thumb("vert")),
        ("trackleft.bmp", lambda: trackbar_thumb("left")),
        ("trackright.bmp", lambda: trackbar_thumb("right")),
        ("trackup.bmp", lambda: trackbar_thumb("up")),
        ("trackdown.bmp", lambda: trackbar_thumb("down")),
        ("updownh.bmp", lambda: updown(True)),
        ("updownhglyph.bmp", lambda: updown_glyphs(True)),
        ("updownv.bmp", lambda: updown(False)),
        ("updownvglyph.bmp", lambda: updown_glyphs(False)),
    ]


DEFINITION_NAME = "reprocessa.ini"


def build():
    """Returns {file name: bytes} with the definition first (dict order is the pack order)."""
    files = {DEFINITION_NAME: definition().encode("ascii")}
    for name, make in bitmaps():
        files[name] = bmp_bytes(make())
    return files


# --- variants ---------------------------------------------------------------------------------------

# Each variant replaces module constants before anything is drawn; what it leaves out stays as in
# the product skin. "contrast": a warm dark-orange caption and thick frame in the caption's
# colours, a cream face, green accents, a taller caption, square-cornered buttons with a 2-pixel
# outline and wider margins, and combo boxes with a 2-pixel edge and wider button margins.
VARIANTS = {
    "contrast": dict(
        SKIN_NAME="Reprocessa Contrast",
        SKIN_PURPOSE="a second skin for the tests' pictures",
        DEFINITION_NAME="contrast.ini",
        FACE=(250, 242, 222),
        TEXT=(58, 36, 20),
        TEXT_SOFT=(101, 72, 48),
        ACCENT=(46, 125, 50),
        ACCENT_DARK=(27, 94, 32),
        ACCENT_SOFT=(224, 240, 218),
        ACCENT_PRESS=(196, 226, 190),
        ACCENT_HOT=(67, 160, 71),
        ACCENT_DEEP=(18, 70, 22),
        LINE=(214, 194, 162),
        BORDER=(150, 108, 66),
        BOX_BORDER=(128, 88, 52),
        SHADOW=(150, 118, 86),
        DK_SHADOW=(96, 64, 38),
        DISABLED_FACE=(243, 236, 220),
        DISABLED_LINE=(214, 198, 174),
        DISABLED_GLYPH=(192, 174, 148),
        TRACK=(236, 224, 200),
        TRACK_LINE=(222, 206, 178),
        TRACK_DISABLED=(242, 234, 218),
        GLYPH=(110, 74, 42),
        BUTTON_BOTTOM=(240, 228, 202),
        PRESS_BORDER=(27, 94, 32),
        PRESS_BOTTOM=(178, 214, 170),
        HOVER_TOP=(246, 252, 242),
        HOVER_BORDER=(120, 180, 110),
        COMBO_BOTTOM=(238, 226, 200),
        COMBO_PRESS_BOTTOM=(176, 212, 168),
        COMBO_HOVER_BOTTOM=(206, 232, 198),
        ACCENT_LIGHT=(96, 170, 92),
        ACCENT_SHINE=(150, 204, 140),
        ACCENT_SHINE_TAB=(120, 186, 112),
        ACCENT_TINT=(210, 234, 202),
        SYSMENU_BORDER=(214, 190, 150),
        CAP={
            True: dict(outline=(70, 30, 6), hi=(226, 132, 58), top=(204, 102, 28),
                       bottom=(140, 60, 14), text=WHITE, glyph=WHITE, hover=(222, 128, 60),
                       press=(112, 46, 10)),
            False: dict(outline=(118, 92, 72), hi=(200, 172, 144), top=(180, 150, 120),
                        bottom=(156, 126, 98), text=(248, 238, 224), glyph=(244, 232, 216),
                        hover=(190, 162, 134), press=(144, 116, 90)),
        },
        CAPTION_H=36,
        SIDE_W=8,
        BOTTOM_H=8,
        RADIUS=4,
        BTN_W=30,
        BTN_H=28,
        BTN_Y=4,
        BUTTON_MARGIN=6,
        BUTTON_RADIUS=1.5,
        BUTTON_BW=2,
        SUNK_BW=2,
        COMBO_MARGIN=3,
    ),
}
# The thick side borders carry the caption's lower colour down the window.
VARIANTS["contrast"]["SIDE_FILL"] = {active: VARIANTS["contrast"]["CAP"][active]["bottom"]
                                     for active in (True, False)}


def use_variant(name):
    if name not in VARIANTS:
        raise SystemExit("unknown variant %r (known: %s)" % (name, ", ".join(sorted(VARIANTS))))
    globals().update(VARIANTS[name])
    globals()["GENERATOR_OPTION"] = " --variant " + name


USAGE = "usage: make_skin.py [--variant NAME] [output folder]"


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    args = argv[1:]
    variant = None
    if args[:1] == ["--variant"]:
        if len(args) < 2:
            raise SystemExit(USAGE)
        variant = args[1]
        args = args[2:]
    if len(args) > 1 or (args and args[0].startswith("-")):
        raise SystemExit(USAGE)
    if variant:
        use_variant(variant)
        default = os.path.join(here, "..", "..", "tests", "skins", variant)
    else:
        default = os.path.join(here, "..", "reprocessa")
    out = args[0] if args else default
    os.makedirs(out, exist_ok=True)
    files = build()
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as fh:
            fh.write(data)
    # Pack order for the build, beside the folder: skins/reprocessa.files. A variant is read as a
    # folder and never packed by the build.
    if not variant:
        with open(os.path.normpath(out) + ".files", "w", newline="\n") as fh:
            fh.write("\n".join(files) + "\n")
    total = sum(len(d) for d in files.values())
    print("%d files, %d bytes, in %s" % (len(files), total, os.path.normpath(out)))


if __name__ == "__main__":
    main(sys.argv)
