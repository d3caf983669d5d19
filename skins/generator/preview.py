#!/usr/bin/env python3
"""Preview of the generated skin, for judging it by eye (not part of the build).

    python3 skins/generator/preview.py [skin folder] [output folder]

Reads the BMP files and the definition back, cuts them the way the engine does (nine-slice by
margins, frames side by side or stacked, magenta transparent, COLORONCOLOR stretching) and writes:
  sheet.png   every strip at 2x zoom, frames numbered
  window.png  the main window of the tool as the skin draws it, active and inactive, on a desktop
  gallery.png the other elements: menus, tabs, scroll bars, check boxes, radios, status bar ...
Text is added with ImageMagick's convert when it is installed (DejaVu Sans stands in for Tahoma).
"""

import os
import shutil
import subprocess
import sys

from raster import MAGENTA, Image, read_bmp, png_bytes

HERE = os.path.dirname(os.path.abspath(__file__))


# --- definition --------------------------------------------------------------------------------

def read_ini(path):
    sections = {}
    cur = None
    with open(path, "rb") as fh:
        for raw in fh.read().decode("ascii").splitlines():
            line = raw.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                cur = line[1:-1].lower()
                sections.setdefault(cur, {})
            elif "=" in line and cur is not None:
                k, v = line.split("=", 1)
                sections[cur].setdefault(k.strip().lower(), v.strip())
    return sections


class Skin:
    def __init__(self, folder):
        self.folder = folder
        self.ini = read_ini(os.path.join(folder, "reprocessa.ini"))
        self.cache = {}

    def s(self, section, key, default=""):
        return self.ini.get(section.lower(), {}).get(key.lower(), default) or default

    def i(self, section, key, default=0):
        try:
            return int(self.s(section, key, str(default)))
        except ValueError:
            return default

    def bmp(self, name):
        if name not in self.cache:
            with open(os.path.join(self.folder, name), "rb") as fh:
                self.cache[name] = read_bmp(fh.read())
        return self.cache[name]

    def obj(self, section, image_key="Image"):
        name = self.s(section, image_key)
        if not name:
            return None
        return dict(bmp=self.bmp(name), m=(self.i(section, "LeftWidth"), self.i(section, "TopHeight"),
                                            self.i(section, "RightWidth"),
                                            self.i(section, "BottomHeight")),
                    trans=self.i(section, "Trans"), tile=self.i(section, "Tile"))

    def colour(self, key):
        parts = [int(p) for p in self.s("Colours", key).split()]
        return tuple(parts)


# --- drawing routines, same geometry as the engine -----------------------------------------------

def stretch_into(dst, dx0, dy0, dx1, dy1, src, sx0, sy0, sx1, sy1):
    dw, dh, sw, sh = dx1 - dx0, dy1 - dy0, sx1 - sx0, sy1 - sy0
    if dw <= 0 or dh <= 0 or sw <= 0 or sh <= 0:
        return
    for y in range(dh):
        syy = sy0 + (y * sh) // dh
        for x in range(dw):
            dst.set(dx0 + x, dy0 + y, src.px[syy][sx0 + (x * sw) // dw])


def frame_geom(bmp, vertical, frames, index):
    if vertical:
        fw, fh = bmp.w, bmp.h // frames
        return fw, fh, 0, fh * (index - 1)
    fw, fh = bmp.w // frames, bmp.h
    return fw, fh, fw * (index - 1), 0


def build_skin_rect(W, H, bmp, margins, vertical, tile, frames, index):
    out = Image(W, H)
    fw, fh, sx, sy = frame_geom(bmp, vertical, frames, index)
    L, T, R, B = margins
    if W < L + R:
        L = R = 0
    if H < T + B:
        T = B = 0
    if L * T > 0:
        stretch_into(out, 0, 0, L, T, bmp, sx, sy, sx + L, sy + T)
    if L * B > 0:
        stretch_into(out, 0, H - B, L, H, bmp, sx, sy + fh - B, sx + L, sy + fh)
    if R * T > 0:
        stretch_into(out, W - R, 0, W, T, bmp, sx + fw - R, sy, sx + fw, sy + T)
    if L > 0:
        stretch_into(out, 0, T, L, H - B, bmp, sx, sy + T, sx + L, sy + fh - B)
    if T > 0:
        stretch_into(out, L, 0, W - R, T, bmp, sx + L, sy, sx + fw - R, sy + T)
    if tile:
        tw, th = fw - L - R, fh - T - B
        if tw > 0 and th > 0:
            y = T
            while y < H - B:
                x = L
                while x < W - R:
                    stretch_into(out, x, y, x + tw, y + th, bmp, sx + L, sy + T, sx + L + tw,
                                 sy + T + th)
                    x += tw
                y += th
    else:
        stretch_into(out, L, T, W - R, H - B, bmp, sx + L, sy + T, sx + fw - R, sy + fh - B)
    if R * B > 0:
        stretch_into(out, W - R, H - B, W, H, bmp, sx + fw - R, sy + fh - B, sx + fw, sy + fh)
    if R > 0:
        stretch_into(out, W - R, T, W, H - B, bmp, sx + fw - R, sy + T, sx + fw, sy + fh - B)
    if B > 0:
        stretch_into(out, L, H - B, W - R, H, bmp, sx + L, sy + fh - B, sx + fw - R, sy + fh)
    return out


def put(dst, img, x, y, trans=True):
    dst.blit(img, x, y, key=MAGENTA if trans else None)


def draw_skin_rect(dst, rect, bmp, margins, vertical=False, tile=0, trans=1, frames=1, index=1):
    x0, y0, x1, y1 = rect
    if x1 <= x0 or y1 <= y0:
        return
    put(dst, build_skin_rect(x1 - x0, y1 - y0, bmp, margins, vertical, tile, frames, index), x0,
        y0, trans)


def draw_obj(dst, rect, o, frames, index, vertical=False):
    draw_skin_rect(dst, rect, o["bmp"], o["m"], vertical, o["tile"], o["trans"] == 1, frames,
                   index)


def draw_skin_bar(dst, rect, bmp, vertical, trans, frames, index, L, R):
    x0, y0, x1, y1 = rect
    W, H = x1 - x0, y1 - y0
    work = Image(W, H)
    fw, fh, sx, sy = frame_geom(bmp, vertical, frames, index)
    stretch_into(work, 0, 0, L, H, bmp, sx, sy, sx + L, sy + fh)
    M = fw - L - R
    x = L
    while M > 0 and x < W - R:
        stretch_into(work, x, 0, x + M, H, bmp, sx + L, sy, sx + L + M, sy + fh)
        x += M
    stretch_into(work, W - R, 0, W, H, bmp, sx + fw - R, sy, sx + fw, sy + fh)
    put(dst, work, x0, y0, trans)


def draw_skin_stretch(dst, rect, bmp, trans, frames, index):
    x0, y0, x1, y1 = rect
    fw = bmp.w // frames
    work = Image(x1 - x0, y1 - y0)
    stretch_into(work, 0, 0, work.w, work.h, bmp, fw * (index - 1), 0, fw * index, bmp.h)
    put(dst, work, x0, y0, trans)


def draw_centered(dst, rect, bmp, frames, index):
    fw = bmp.w // frames
    x = rect[0] + (rect[2] - rect[0] - fw) // 2
    y = rect[1] + (rect[3] - rect[1] - bmp.h) // 2
    put(dst, bmp.crop(fw * (index - 1), 0, fw, bmp.h), x, y)


# --- text, through ImageMagick -------------------------------------------------------------------

class Texts:
    def __init__(self):
        self.items = []

    def add(self, x, y, text, colour, bold=False, size=11, centre_in=None):
        """y is the text's top; centre_in (x0, y0, x1, y1) centres the text in a box."""
        self.items.append((x, y, text, colour, bold, size, centre_in))

    def render(self, png_path):
        if not shutil.which("convert") or not self.items:
            return
        args = ["convert", png_path]
        for x, y, text, colour, bold, size, box in self.items:
            font = "DejaVu-Sans-Bold" if bold else "DejaVu-Sans"
            args += ["-font", font, "-pointsize", str(size), "-fill",
                     "rgb(%d,%d,%d)" % colour]
            if box:
                cx = (box[0] + box[2]) / 2
                cy = (box[1] + box[3]) / 2
                args += ["-gravity", "NorthWest"]
                # estimate width to centre: ImageMagick cannot centre in a sub-box directly
                w = len(text) * size * (0.62 if bold else 0.56)
                x = int(cx - w / 2)
                y = int(cy - size * 0.62)
            args += ["-gravity", "NorthWest", "-annotate", "+%d+%d" % (x, y - 1), text]
        args.append(png_path)
        subprocess.run(args, check=False)


def save(img, path, texts=None, zoom=1):
    with open(path, "wb") as fh:
        fh.write(png_bytes(img))
    if texts:
        texts.render(path)
    if zoom != 1 and shutil.which("convert"):
        subprocess.run(["convert", path, "-filter", "point", "-resize", "%d%%" % (zoom * 100),
                        path], check=False)


# --- the window frame ----------------------------------------------------------------------------

class Frame:
    def __init__(self, skin):
        self.skin = skin
        self.left = skin.bmp(skin.s("Personality", "Left"))
        self.right = skin.bmp(skin.s("Personality", "Right"))
        self.top = skin.bmp(skin.s("Personality", "Top"))
        self.bottom = skin.bmp(skin.s("Personality", "Bottom"))
        p = "Personality"
        self.bl = self.left.w // skin.i(p, "LeftFrame", 1)
        self.br = self.right.w // skin.i(p, "RightFrame", 1)
        self.bt = self.top.h // skin.i(p, "TopFrame", 1)
        self.bb = self.bottom.h // skin.i(p, "BottomFrame", 1)

    def buttons(self):
        out = []
        for sec, vals in self.skin.ini.items():
            if sec.upper().startswith("BUTTON") and sec.upper() not in (
                    "BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"):
                out.append(sec)
        return out

    def shown(self, sec, maxed=False, has_max=True, has_min=True):
        s = self.skin

        def cond(v):
            return {0: True, 1: maxed, 2: not maxed, 6: has_max, 7: not has_max, 8: has_min,
                    9: not has_min}.get(v, False)
        a = s.i(sec, "Action")
        v1 = s.i(sec, "Visibility1", -1 if a == -1 else 0)
        ok = cond(s.i(sec, "Visibility")) and cond(v1)
        if a == 1 and not has_max or a == 2 and not has_min:
            ok = False
        return ok

    def paint(self, dst, ox, oy, W, H, title, active, texts, menu=None, has_max=True,
              has_min=True, hot=None):
        s = self.skin
        p = "Personality"
        fi = 1 if active else 2
        win = Image(W, H)
        lm = (0, s.i(p, "LeftTopHeight"), 0, s.i(p, "LeftBotHeight"))
        rm = (0, s.i(p, "RightTopHeight"), 0, s.i(p, "RightBotHeight"))
        tm = (s.i(p, "TopTopHeight"), 0, s.i(p, "TopBotHeight"), 0)
        bm = (s.i(p, "BottomTopHeight"), 0, s.i(p, "BottomBotHeight"), 0)
        win.blit(build_skin_rect(self.bl, H, self.left, lm, False, 0, 2, fi), 0, 0)
        win.blit(build_skin_rect(self.br, H, self.right, rm, False, 0, 2, fi), W - self.br, 0)
        win.blit(build_skin_rect(W - self.bl - self.br, self.bb, self.bottom, bm, True, 0, 2, fi),
                 self.bl, H - self.bb)
        win.blit(build_skin_rect(W - self.bl - self.br, self.bt, self.top, tm, True, 0, 2, fi),
                 self.bl, 0)
        # caption text and its background
        shift = s.i(p, "TextShift")
        clip = s.i(p, "TextRightClip")
        tbl, tbr = s.i(p, "TXTBackleft"), s.i(p, "TXTBackRight")
        tw = int(len(" " + title + "  ") * 6.6) + tbl + tbr
        x0 = self.bl + shift
        x1 = min(x0 + tw, W - self.br - clip)
        room = int((x1 - x0 - tbl - tbr) / 6.6) - 3
        if len(title) > room:
            title = title[:room - 3] + "..."
        back = s.s(p, "TextBack")
        if back:
            draw_skin_bar(win, (x0, 0, x1, self.bt), s.bmp(back), True, True, 2, fi, tbl, tbr)
        colour = s.colour("TitleTextActive" if active else "TitleTextNoActive")
        texts.add(ox + x0 + tbl, oy + (self.bt - 13) // 2, " " + title, colour, bold=True,
                  size=11)
        # caption buttons
        for sec in self.buttons():
            if not self.shown(sec, False, has_max, has_min):
                continue
            bmp = s.bmp(s.s(sec, "ButtonImage"))
            frames = s.i(sec, "frame", 1)
            w = bmp.w // frames
            x = s.i(sec, "Xcoord")
            if s.i(sec, "Align") == 1:
                x = W - x
            y = s.i(sec, "Ycoord")
            if s.i(sec, "Action") in (3, 11):
                icon = Image(16, 16, (43, 108, 196))
                icon.fill(3, 3, 13, 13, (255, 255, 255))
                icon.fill(5, 5, 11, 7, (43, 108, 196))
                win.blit(icon, x, y)
                continue
            idx = 1 if active else (4 if frames >= 4 else 1)
            if hot and hot[0] == s.s(sec, "ButtonImage"):
                idx = hot[1]
            draw_skin_stretch(win, (x, y, x + w, y + bmp.h), bmp, True, frames, idx)
        # menu bar
        cy = self.bt
        if menu:
            mh = 19
            mb = s.bmp(s.s(p, "menuBar"))
            draw_skin_bar(win, (self.bl, cy, W - self.br, cy + mh), mb, True, False, 2, fi,
                          s.i(p, "TileLeftMenu", 1), s.i(p, "TileRightMenu", 1))
            x = self.bl + s.i(p, "TileLeftMenu", 1) + 4
            for k, item in enumerate(menu):
                w = int(len(item) * 6.2) + 10
                if k == 1:
                    for yy in (cy, cy + mh - 2):
                        win.fill(x, yy, x + w, yy + 1, s.colour("ButtonHilight"))
                    win.fill(x, cy, x + 1, cy + mh - 1, s.colour("ButtonHilight"))
                    win.fill(x + w - 1, cy, x + w, cy + mh - 1, s.colour("ButtonHilight"))
                texts.add(ox + x + 5, oy + cy + 3, item, s.colour("MenuBarText"))
                x += w
            cy += mh
        # window region: magenta of the borders is outside the window
        for y in range(H):
            for x in range(W):
                c = win.px[y][x]
                if c == MAGENTA:
                    continue
                dst.set(ox + x, oy + y, c)
        return (ox + self.bl, oy + cy, ox + W - self.br, oy + H - self.bb)


# --- controls ----------------------------------------------------------------------------------------

def button(dst, texts, skin, rect, caption, frame, bold=False):
    o = skin.obj("Buttons", "Bitmap")
    dst.fill(rect[0], rect[1], rect[2], rect[3], skin.colour("ButtonFace"))
    draw_obj(dst, rect, o, 5, frame)
    colour = skin.colour("ButtonText") if frame != 3 else (160, 160, 160)
    texts.add(0, 0, caption, colour, bold=bold, centre_in=rect)


def edit(dst, texts, skin, rect, text="", disabled=False):
    x0, y0, x1, y1 = rect
    dst.fill(x0, y0, x1, y1, (240, 240, 240) if disabled else (255, 255, 255))
    dst.frame(x0, y0, x1, y1, skin.colour("ButtonShadow"))
    dst.frame(x0 + 1, y0 + 1, x1 - 1, y1 - 1, (255, 255, 255))
    if text:
        texts.add(x0 + 4, y0 + (y1 - y0 - 13) // 2, text, skin.colour("WindowText"))


def combo_strip(skin, W=19):
    """The combo composite built at load time."""
    sunk = skin.obj("SunkEdge")
    cb = skin.obj("ComboButton")
    extra = skin.obj("ExtraImages")
    frames = 4
    strip = Image(50 * frames, 21)
    for b in range(1, frames + 1):
        work = Image(50, 21)
        draw_skin_rect(work, (0, 0, 50, 21), sunk["bmp"], sunk["m"], False, 0, sunk["trans"], 4, b)
        draw_skin_rect(work, (50 - W, 0, 50, 21), cb["bmp"], cb["m"], False, 0, True, 4, b)
        draw_centered(work, (50 - W, 0, 50, 21), extra["bmp"], 5, b)
        work.fill(2, 2, 49 - W, 18, MAGENTA)
        strip.blit(work, 50 * (b - 1), 0)
    return strip, (2, sunk["m"][1], W + 2, sunk["m"][3])


def combo(dst, texts, skin, rect, text, frame):
    x0, y0, x1, y1 = rect
    dst.fill(x0, y0, x1, y1, (255, 255, 255))
    strip, m = combo_strip(skin)
    draw_skin_rect(dst, rect, strip, m, False, 0, True, 4, frame)
    if text:
        texts.add(x0 + 4, y0 + 4, text, skin.colour("WindowText"))


def progress(dst, texts, skin, rect, pos, high):
    o = skin.obj("Progress", "Bitmap")
    x0, y0, x1, y1 = rect
    dst.fill(x0, y0, x1, y1, skin.colour("ButtonFace"))
    draw_obj(dst, rect, o, 2, 1)
    fill = x0 + (x1 - x0) * pos // high
    if fill > x0:
        draw_obj(dst, (x0, y0, fill, y1), o, 2, 2)
    texts.add(0, 0, "%d%%" % (pos * 100 // high), skin.colour("WindowText"), centre_in=rect)


def check(dst, texts, skin, x, y, caption, frame, radio=False):
    bmp = skin.bmp(skin.s("Buttons", "RadioButton" if radio else "CheckButton"))
    n = skin.i("Buttons", "RadioButtonFrame" if radio else "CheckButtonFrame")
    fw = bmp.w // n
    put(dst, bmp.crop(fw * (frame - 1), 0, fw, bmp.h), x, y)
    texts.add(x + 18, y, caption, skin.colour("WindowText"))


def scrollbar(dst, skin, rect, vertical, thumb, pressed_thumb=False, hot_arrow=None):
    x0, y0, x1, y1 = rect
    arrows = skin.bmp(skin.s("Scrollbar", "Image"))
    A = 17
    track = skin.obj("VertScroll" if vertical else "HorzScroll")
    th = skin.obj("VertScrollThumb" if vertical else "HorzScrollThumb")
    if vertical:
        draw_obj(dst, (x0, y0 + A, x1, y1 - A), track, 4, 1)
        first, last = (x0, y0, x1, y0 + A), (x0, y1 - A, x1, y1)
        f1, f2 = 9, 13
        trect = (x0, y0 + thumb[0], x1, y0 + thumb[1])
    else:
        draw_obj(dst, (x0 + A, y0, x1 - A, y1), track, 4, 1)
        first, last = (x0, y0, x0 + A, y1), (x1 - A, y0, x1, y1)
        f1, f2 = 1, 5
        trect = (x0 + thumb[0], y0, x0 + thumb[1], y1)
    draw_skin_stretch(dst, first, arrows, True, 23, f1 + (1 if hot_arrow == "first" else 0))
    draw_skin_stretch(dst, last, arrows, True, 23, f2 + (1 if hot_arrow == "last" else 0))
    draw_obj(dst, trect, th, 3, 2 if pressed_thumb else 1)


# --- pictures ------------------------------------------------------------------------------------------

DESKTOP = (72, 98, 112)


def main_window(skin, out):
    fr = Frame(skin)
    W = 474 + fr.bl + fr.br
    H = 292 + fr.bt + fr.bb
    img = Image(W * 2 + 60, H + 40, DESKTOP)
    texts = Texts()
    title = "Rotina de reprocesso de sequencia da Pré-Venda - v26.11da0"
    for n, active in enumerate((True, False)):
        ox, oy = 20 + n * (W + 20), 20
        cl = fr.paint(img, ox, oy, W, H, title, active, texts)
        face = skin.colour("ButtonFace")
        cx, cy = cl[0], cl[1]
        img.fill(cl[0], cl[1], cl[2], cl[3], face)
        # Panel1: title band with raised bevel
        img.fill(cx, cy, cx + 474, cy + 76, face)
        img.hline(cx, cx + 474, cy, (255, 255, 255))
        img.vline(cx, cy, cy + 76, (255, 255, 255))
        img.hline(cx, cx + 474, cy + 75, skin.colour("ButtonShadow"))
        img.vline(cx + 473, cy, cy + 76, skin.colour("ButtonShadow"))
        img.fill(cx + 5, cy + 3, cx + 184, cy + 71, (255, 255, 255))
        img.frame(cx + 5, cy + 3, cx + 184, cy + 71, (220, 226, 234))
        texts.add(cx + 60, cy + 30, "CARVONI", (43, 108, 196), bold=True, size=14)
        texts.add(cx + 200, cy + 23, "Reprocessar sequência de pedidos", skin.colour("WindowText"),
                  bold=True, size=12)
        texts.add(cx + 7, cy + 92, "Caminho do banco Carvoni:", skin.colour("WindowText"), bold=True)
        edit(img, texts, skin, (cx + 5, cy + 107, cx + 387, cy + 126), "Z:\\dados\\CARVONI.FDB",
             disabled=True)
        button(img, texts, skin, (cx + 390, cy + 103, cx + 466, cy + 128), "Abrir",
               4 if active else 1)
        texts.add(cx + 7, cy + 130, "Filial:", skin.colour("WindowText"), bold=True)
        combo(img, texts, skin, (cx + 5, cy + 143, cx + 43, cy + 164), "01", 1)
        texts.add(cx + 76, cy + 130, "Número do pedido:", skin.colour("WindowText"), bold=True)
        edit(img, texts, skin, (cx + 76, cy + 144, cx + 197, cy + 163), "00012345")
        button(img, texts, skin, (cx + 232, cy + 140, cx + 308, cy + 165), "Limpar", 1)
        button(img, texts, skin, (cx + 311, cy + 140, cx + 387, cy + 165), "Cancelar",
               1 if active else 3)
        button(img, texts, skin, (cx + 390, cy + 140, cx + 466, cy + 165), "Sair", 1)
        button(img, texts, skin, (cx + 73, cy + 198, cx + 394, cy + 251),
               "Recriar a Sequência do Pedido", 2 if not active else 1, bold=True)
        progress(img, texts, skin, (cx + 73, cy + 259, cx + 394, cy + 280), 42, 100)
    path = os.path.join(out, "window.png")
    save(img, path, texts)
    return path


def gallery(skin, out):
    fr = Frame(skin)
    W, H = 560, 470
    img = Image(W + 300, H + 40, DESKTOP)
    texts = Texts()
    cl = fr.paint(img, 20, 20, W, H, "Skin gallery", True, texts,
                  menu=["File", "Edit", "View", "Help"], has_max=False,
                  hot=("close.bmp", 3))
    face = skin.colour("ButtonFace")
    img.fill(cl[0], cl[1], cl[2], cl[3], face)
    x, y = cl[0] + 12, cl[1] + 12
    # check boxes and radios, every state
    labels = ["off", "off hot", "off pressed", "off disabled", "on", "on hot", "on pressed",
              "on disabled", "mixed", "mixed hot", "mixed pressed", "mixed disabled"]
    for k, lab in enumerate(labels):
        check(img, texts, skin, x + (k // 4) * 95, y + (k % 4) * 20, lab, k + 1)
    for k in range(8):
        check(img, texts, skin, x + 290 + (k // 4) * 95, y + (k % 4) * 20,
              ["off", "off hot", "off press", "off disabled", "on", "on hot", "on press",
               "on disabled"][k], k + 1, radio=True)
    y += 90
    # buttons, all 5 frames
    for k, lab in enumerate(["Normal", "Pressed", "Disabled", "Hot", "Default"]):
        button(img, texts, skin, (x + k * 82, y, x + k * 82 + 76, y + 25), lab, k + 1)
    y += 35
    # combo in 4 states + edits
    for k in range(4):
        combo(img, texts, skin, (x + k * 110, y, x + k * 110 + 100, y + 21),
              ["normal", "pressed", "disabled", "focused"][k], k + 1)
    y += 30
    # tabs and page
    tabs = skin.obj("Tabs")
    border = skin.bmp(skin.s("Tabs", "Border"))
    page = (x, y + 22, x + 300, y + 120)
    img.blit(build_skin_rect(page[2] - page[0], page[3] - page[1], border, (4, 5, 4, 4), False, 0,
                             1, 1), page[0], page[1], key=None)
    img.fill(page[0] + 4, page[1] + 5, page[2] - 4, page[3] - 4, face)
    tx = x + 2
    for k, name in enumerate(["General", "Options", "Advanced"]):
        w = len(name) * 7 + 14
        sel = k == 0
        r = (tx - (2 if sel else 0), y + (0 if sel else 2), tx + w + (2 if sel else 0), y + 22)
        draw_obj(img, r, tabs, 5, 2 if sel else (3 if k == 2 else 1))
        texts.add(0, 0, name, (30, 41, 59) if sel else (71, 85, 105), centre_in=r)
        tx += w
    # group box inside the page
    gx, gy = page[0] + 12, page[1] + 14
    texts.add(gx + 9, gy, "Group", skin.colour("WindowText"))
    # header bar and list with scroll bars at the right
    hx, hy = x + 320, y
    hb = skin.obj("Headerbar")
    for k, (name, w) in enumerate([("Name", 80), ("Size", 60), ("Type", 50)]):
        draw_obj(img, (hx, hy, hx + w, hy + 20), hb, 5, 1)
        texts.add(hx + 6, hy + 3, name, (71, 85, 105))
        hx += w
    img.fill(x + 320, y + 20, x + 320 + 190, y + 120, (255, 255, 255))
    img.frame(x + 319, y - 1, x + 321 + 190, y + 121, skin.colour("ButtonShadow"))
    scrollbar(img, skin, (x + 320 + 190 - 17, y + 20, x + 320 + 190, y + 120 - 17), True, (17, 45))
    scrollbar(img, skin, (x + 320, y + 120 - 17, x + 320 + 190 - 17, y + 120), False, (60, 100),
              pressed_thumb=True, hot_arrow="last")
    img.fill(x + 320 + 190 - 17, y + 103, x + 510, y + 120, face)
    y += 135
    # progress, track bar, up-down
    progress(img, texts, skin, (x, y, x + 200, y + 21), 70, 100)
    tb = skin.bmp(skin.s("Trackbar.ThumbHorz", "Image"))
    img.fill(x + 220, y + 8, x + 380, y + 12, (214, 220, 228))
    img.frame(x + 220, y + 8, x + 380, y + 12, skin.colour("ButtonShadow"))
    fw = tb.w // 5
    draw_skin_stretch(img, (x + 280, y, x + 280 + fw, y + tb.h), tb, True, 5, 2)
    for t in range(9):
        img.vline(x + 225 + t * 18, y + 23, y + 26, skin.colour("ButtonShadow"))
    for k, kind in enumerate(["Left", "Right", "Up", "Down", "Vert"]):
        b = skin.bmp(skin.s("Trackbar.Thumb" + kind, "Image"))
        fw = b.w // 5
        put(img, b.crop(fw, 0, fw, b.h), x + 400 + k * 26, y)
    # up-down next to an edit
    edit(img, texts, skin, (x, y + 32, x + 80, y + 53), "12")
    ud = skin.obj("UpDown.Vert")
    udg = skin.bmp(skin.s("UpDown.Vert", "GlyphImage"))
    ux0, uy0 = x + 80 - 17, y + 33
    for arrow, (r, st) in enumerate((((ux0, uy0, ux0 + 16, uy0 + 10), 4),
                                     ((ux0, uy0 + 10, ux0 + 16, uy0 + 20), 1))):
        fi = st + 4 * arrow
        draw_skin_stretch(img, r, ud["bmp"], True, 8, fi)
        gw = udg.w // 8
        gx0 = r[0] + (r[2] - r[0] - gw) // 2
        gy0 = r[1] + (r[3] - r[1] - udg.h) // 2
        draw_skin_stretch(img, (gx0, gy0, gx0 + gw, gy0 + udg.h), udg, True, 8, fi)
    udh = skin.obj("UpDown.Horz")
    udhg = skin.bmp(skin.s("UpDown.Horz", "GlyphImage"))
    for arrow, (r, st) in enumerate((((x + 100, y + 33, x + 112, y + 53), 1),
                                     ((x + 112, y + 33, x + 124, y + 53), 2))):
        fi = st + 4 * arrow
        draw_skin_stretch(img, r, udh["bmp"], True, 8, fi)
        gw = udhg.w // 8
        gx0 = r[0] + (r[2] - r[0] - gw) // 2
        gy0 = r[1] + (r[3] - r[1] - udhg.h) // 2
        draw_skin_stretch(img, (gx0, gy0, gx0 + gw, gy0 + udhg.h), udhg, True, 8, fi)
    # tool bar buttons
    tbo = skin.obj("Toolbars")
    for k in range(5):
        r = (x + 140 + k * 26, y + 32, x + 140 + k * 26 + 22, y + 54)
        draw_obj(img, r, tbo, 5, k + 1)
        img.fill(r[0] + 7, r[1] + 7, r[0] + 15, r[1] + 15, (43, 108, 196))
    # MDI buttons on the menu bar
    mdi = skin.bmp(skin.s("MDICONTROLS", "Image"))
    a = mdi.w // 12
    for k in range(3):
        for st in (1, 4):
            fx = 4 * a * k + a * (st - 1)
            put(img, mdi.crop(fx, 0, a, mdi.h), x + 300 + k * (a + 4) + (st - 1) * 30, y + 36)
    # status bar
    sb = skin.obj("StatusBarEdges")
    sy0 = cl[3] - 20
    img.fill(cl[0], sy0, cl[2], cl[3], face)
    px = cl[0]
    for k, (text, w) in enumerate([("Ready", 200), ("Connected", 150), ("", cl[2] - cl[0] - 354)]):
        draw_obj(img, (px, sy0 + 2, px + w, cl[3]), sb, 3, 1)
        if text:
            texts.add(px + 4, sy0 + 5, text, (71, 85, 105))
        px += w + 2
    ex = skin.bmp(skin.s("ExtraImages", "Image"))
    gw = ex.w // 5
    put(img, ex.crop(gw * 4, 0, gw, ex.h), cl[2] - 1 - gw, cl[3] - 1 - ex.h)
    # popup menu to the right of the window
    mx, my = 20 + W + 20, 40
    mb = skin.obj("MenuBackground")
    mw, items = 200, ["Open...", "Save", "-", "Reprocess order", "Export", "-", "Exit"]
    mh = 6 + sum(9 if t == "-" else 20 for t in items)
    draw_obj(img, (mx, my, mx + mw, my + mh), mb, 1, 1)
    mi = skin.obj("MenuItem")
    iy = my + 3
    for k, t in enumerate(items):
        ih = 9 if t == "-" else 20
        r = (mx + 3, iy, mx + mw - 3, iy + ih)
        if t == "-":
            fw = mi["bmp"].w // 5
            sep = Image(r[2] - r[0], ih)
            src = mi["bmp"]
            L, R = mi["m"][0], mi["m"][2]
            sy = src.h - ih
            stretch_into(sep, 0, 0, L, ih, src, fw, sy, fw + L, src.h)
            stretch_into(sep, L, 0, sep.w - R, ih, src, fw + L, sy, 2 * fw - R, src.h)
            stretch_into(sep, sep.w - R, 0, sep.w, ih, src, 2 * fw - R, sy, 2 * fw, src.h)
            put(img, sep, r[0], r[1])
        else:
            selected = k == 3
            draw_obj(img, r, mi, 5, 4 if selected else 1)
            colour = skin.colour("HilightText") if selected else skin.colour("MenuText")
            texts.add(r[0] + 1 + mi["m"][0] + 16 + 3, iy + 3, t, colour)
        iy += ih
    path = os.path.join(out, "gallery.png")
    save(img, path, texts)
    return path


def sheet(skin, out):
    names = sorted(os.listdir(skin.folder))
    names = [n for n in names if n.endswith(".bmp")]
    col_w = 420
    entries = []
    for n in names:
        b = skin.bmp(n)
        entries.append((n, b))
    height = sum(b.h * 2 + 24 for _, b in entries) // 2 + 200
    img = Image(col_w * 2 + 400, height, (200, 204, 210))
    texts = Texts()
    x, y = 10, 10
    for n, b in entries:
        if y + b.h * 2 + 24 > height:
            x += col_w + 200
            y = 10
        texts.add(x, y, n + "  %dx%d" % (b.w, b.h), (20, 20, 20))
        y += 16
        for yy in range(b.h):
            for xx in range(b.w):
                c = b.px[yy][xx]
                if c == MAGENTA:
                    c = (255, 190, 255) if (xx + yy) % 2 else (240, 150, 240)
                img.fill(x + 2 * xx, y + 2 * yy, x + 2 * xx + 2, y + 2 * yy + 2, c)
        y += b.h * 2 + 8
    path = os.path.join(out, "sheet.png")
    save(img, path, texts)
    return path


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(HERE, "..", "reprocessa")
    out = argv[2] if len(argv) > 2 else "/tmp/skin-preview"
    os.makedirs(out, exist_ok=True)
    skin = Skin(folder)
    for p in (main_window(skin, out), gallery(skin, out), sheet(skin, out)):
        print(p)


if __name__ == "__main__":
    main(sys.argv)
