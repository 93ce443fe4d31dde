#!/usr/bin/env python3
"""Lays every picture of the built data folder out on one sheet, to look at.

    contactsheet.py [--rsvg RSVG_CONVERT] DATA_DIR OUT_DIR

writes OUT_DIR/contact-sheet.png and, turned to grey by luminance to see
that the six piece colours stay apart in lightness, contact-sheet-grey.png.

Each picture stands on a light and on a dark ground at the size the game
draws it (pieces at 1.6666 times a ring scale of 1, banners at 2, and so on),
named under it; a picture with a mask stands there once more with its mask
applied, the cursor once more with its colour key taken out. Above them come
a play field put together as the game draws it (the largest tower of
"levels/rings.xml" full of pieces round the jug pie, inside the timer's
dial) and the pieces and what is drawn over them four times enlarged.
rsvg-convert renders the sheet one section at a time, then the sections one
under the other.
"""

import base64
import math
import os
import random
import re
import struct
import subprocess
import sys

LIGHT = "#e9e5dc"
DARK = "#1c1f2b"
WIDTH = 1800
PIECE_SCALE = 1.6666
COLOURS = ["blu", "grn", "ind", "org", "pur", "red"]

# The scale each picture is drawn at, first match wins: pieces and what is
# drawn as they are at 1.6666 times the ring scale (ring scale 1 here), the
# banners at 2, the dial and its warning at 1.6666, the blasts at 3.
DRAWN_SCALES = [
    (r"sprites/piece-(blu|grn|ind|org|pur|red)-\d", PIECE_SCALE),
    (r"sprites/piece-powerup-", PIECE_SCALE),
    (r"sprites/piece-(lock|lock-1|gear|grow12)$", PIECE_SCALE),
    (r"sprites/blockers/piece-blockers-(darken|alert)$", PIECE_SCALE),
    (r"backgrounds/msg-", 2.0),
    (r"backgrounds/ends-paper-", 2.0),
    (r"sprites/jugs/timer-(center-top|alert-red)", PIECE_SCALE),
    (r"sprites/piece-breaks-", 3.0),
    (r"", 1.0),
]

# Pictures drawn through a mask: picture, mask.
MASKED = [
    (r"sprites/jugs/center-(color|arrow)-\w+-\d$", "sprites/jugs/center-color-alpha"),
    (r"sprites/jugs/center-color-black$", "sprites/jugs/center-color-black-alpha"),
    (r"backgrounds/msg-(nomove|timeup|expert)$", "{}-a"),
    (r"backgrounds/ends-paper-1$", "backgrounds/ends-paper-1a"),
    (r"sprites/jugs/timer-center-top$", "sprites/jugs/timer-center-topa"),
    (r"sprites/piece-spark-(blu|grn|ind|org|pur|red)$", "sprites/piece-spark-a4"),
    (r"sprites/piece-breaks-grey$", "sprites/piece-breaks-a2"),
]


def picture_size(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return struct.unpack(">II", data[16:24])
    i = 2
    while i < len(data):  # JPEG: the frame header's height and width
        marker, length = data[i + 1], struct.unpack(">H", data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[i + 5:i + 9])
            return width, height
        i += 2 + length
    sys.exit(f"{path}: no size found")


class Pictures(dict):
    """The pictures of the data folder by name, and pictures put together
    from a picture and its mask, made on demand."""

    def __init__(self, data_dir, out_dir, rsvg):
        super().__init__()
        self.out_dir, self.rsvg = out_dir, rsvg
        for folder, subfolders, files in os.walk(data_dir):
            subfolders.sort()
            for file in sorted(files):
                if file.endswith((".png", ".jpg")):
                    path = os.path.join(folder, file)
                    self[os.path.relpath(path, data_dir)[:-4].replace(os.sep, "/")] = path

    def keyed(self, name):
        """The name of the picture with its pure magenta taken out, as the
        cursor is drawn (alpha = 1 - (red + blue) / 2 + green: 0 for magenta,
        1 for greys)."""
        key = f"{name}+key"
        if key not in self:
            width, height = picture_size(self[name])
            with open(self[name], "rb") as f:
                data = base64.b64encode(f.read()).decode()
            svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
                   f'<filter id="key" filterUnits="userSpaceOnUse" x="0" y="0" width="{width}" height="{height}" '
                   f'color-interpolation-filters="sRGB"><feColorMatrix type="matrix" '
                   f'values="1 0 0 0 0  0 1 0 0 0  0 0 1 0 0  -0.5 1 -0.5 0 1"/></filter>'
                   f'<image width="{width}" height="{height}" filter="url(#key)" href="data:image/png;base64,{data}"/></svg>')
            self[key] = self.render_made(key, svg)
        return key

    def render_made(self, key, svg):
        path = os.path.join(self.out_dir, "made", re.sub(r"\W", "_", key) + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        render(self.rsvg, svg, path)
        return path

    def masked(self, name, mask):
        """The name of the picture with the mask's red as its alpha, as the
        game's texture loader takes it. Made once, by a drawing of its own:
        drawn in place, a mask or filter costs rsvg a layer the size of the
        whole section."""
        key = f"{name}+{mask}"
        if key not in self:
            width, height = picture_size(self[name])
            images = []
            for path in (self[name], self[mask]):
                with open(path, "rb") as f:
                    images.append(base64.b64encode(f.read()).decode())
            svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
                   f'<filter id="mask" filterUnits="userSpaceOnUse" primitiveUnits="userSpaceOnUse" x="0" y="0" '
                   f'width="{width}" height="{height}" color-interpolation-filters="sRGB">'
                   f'<feImage x="0" y="0" width="{width}" height="{height}" href="data:image/png;base64,{images[1]}" result="mask"/>'
                   f'<feColorMatrix in="SourceGraphic" type="matrix" values="1 0 0 0 0  0 1 0 0 0  0 0 1 0 0  0 0 0 0 1" result="opaque"/>'
                   f'<feColorMatrix in="mask" type="matrix" values="0 0 0 0 0  0 0 0 0 0  0 0 0 0 0  1 0 0 0 0" result="alpha"/>'
                   f'<feComposite in="opaque" in2="alpha" operator="in"/></filter>'
                   f'<image width="{width}" height="{height}" filter="url(#mask)" href="data:image/png;base64,{images[0]}"/></svg>')
            self[key] = self.render_made(key, svg)
        return key


def read_rings(data_dir):
    """The lists and values of "levels/rings.xml", by key."""
    with open(os.path.join(data_dir, "levels", "rings.xml"), encoding="utf-8") as f:
        text = f.read()
    rows = {}
    for row in re.findall(r"<Row>(.*?)</Row>", text, re.S):
        cells = re.findall(r"<Data[^>]*>(.*?)</Data>", row, re.S)
        if len(cells) >= 2:
            rows[cells[0]] = [float(v) for v in cells[1].split()]
    return rows


class Section:
    """One part of the sheet, drawn as an SVG of its own."""

    def __init__(self, pictures):
        self.pictures = pictures
        self.defs = []
        self.body = []
        self.defined = set()
        self.y = 0

    def ref(self, name):
        """The id of the picture, embedded once."""
        key = "p" + re.sub(r"\W", "_", name)
        if key not in self.defined:
            self.defined.add(key)
            path = self.pictures[name]
            width, height = picture_size(path)
            kind = "png" if path.endswith(".png") else "jpeg"
            with open(path, "rb") as f:
                data = base64.b64encode(f.read()).decode()
            self.defs.append(f'<image id="{key}" width="{width}" height="{height}" '
                             f'href="data:image/{kind};base64,{data}"/>')
        return key

    def draw(self, name, x, y, scale=1.0, angle=0.0, mask=None, opacity=1.0):
        """The picture centred on (x, y), scaled and turned (degrees)."""
        if mask:
            name = self.pictures.masked(name, mask)
        width, height = picture_size(self.pictures[name])
        fading = f' opacity="{opacity:.3f}"' if opacity < 1 else ""
        self.body.append(
            f'<g transform="translate({x:.2f},{y:.2f}) rotate({angle:.3f}) scale({scale:.5f}) '
            f'translate({-width / 2},{-height / 2})"{fading}><use href="#{self.ref(name)}"/></g>')

    def text(self, x, y, words, size=11, colour="#222", anchor="start", weight="normal"):
        words = words.replace("&", "&amp;").replace("<", "&lt;")
        self.body.append(f'<text x="{x:.1f}" y="{y:.1f}" font-family="DejaVu Sans" font-size="{size}" '
                         f'font-weight="{weight}" fill="{colour}" text-anchor="{anchor}">{words}</text>')

    def rect(self, x, y, width, height, colour):
        self.body.append(f'<rect x="{x:.1f}" y="{y:.1f}" width="{width:.1f}" height="{height:.1f}" fill="{colour}"/>')

    def heading(self, words):
        self.y += 14
        self.text(20, self.y + 16, words, 18, "#111", weight="bold")
        self.y += 30

    def svg(self, grey):
        height = int(self.y + 10)
        greying = ' filter="url(#grey)"' if grey else ""
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{height}">\n<defs>\n'
                + "\n".join(self.defs)
                + f'\n<filter id="grey" filterUnits="userSpaceOnUse" x="0" y="0" width="{WIDTH}" height="{height}">'
                + '<feColorMatrix type="saturate" values="0"/></filter>\n</defs>\n'
                + f'<g{greying}>\n<rect width="{WIDTH}" height="{height}" fill="#9a9a9a"/>\n'
                + "\n".join(self.body) + "\n</g>\n</svg>\n")


    def row_of(self, entries, scale=None):
        """Entries (name, mask or None, label) on both grounds, as many to a
        row as fit, at their drawn size or else at the scale given."""
        x, row_height = 20, 0
        for name, mask, label in entries:
            width, height = picture_size(self.pictures[name])
            size = scale or drawn_scale(name)
            w, h = max(width * size, 40), max(height * size, 20)
            cell = 2 * w + 24
            if x + cell > WIDTH - 20:
                x, self.y = 20, self.y + row_height + 10
                row_height = 0
            for ground, left in ((LIGHT, x), (DARK, x + w + 6)):
                self.rect(left, self.y, w, h, ground)
                self.draw(name, left + w / 2, self.y + h / 2, size, mask=mask)
            self.text(x, self.y + h + 12, label, 10)
            self.text(x, self.y + h + 23, f"{width}x{height}" + (f" at {size:g}" if size != 1 else ""), 9, "#555")
            x += max(cell, 7.2 * len(label)) + 12
            row_height = max(row_height, h + 28)
        self.y += row_height + 10


def drawn_scale(name):
    for pattern, scale in DRAWN_SCALES:
        if re.match(pattern, name):
            return scale
    return 1.0


def mask_of(name, pictures):
    for pattern, mask in MASKED:
        if re.match(pattern, name):
            mask = mask.format(name)
            return mask if mask in pictures else None
    return None


def every_picture(pictures):
    """A section per folder of pictures."""
    groups = {}
    for name in [n for n in pictures if "+" not in n]:
        folder = name.rsplit("/", 1)[0] if "/" in name else ""
        groups.setdefault(folder, []).append(name)
    for folder in sorted(groups):
        sheet = Section(pictures)
        sheet.heading(folder or "(top)")
        entries = []
        for name in groups[folder]:
            entries.append((name, None, name.rsplit("/", 1)[-1]))
            mask = mask_of(name, pictures)
            if mask:
                entries.append((name, mask, name.rsplit("/", 1)[-1] + " + mask"))
            if name == "cursor/cursor":
                entries.append((pictures.keyed(name), None, "cursor, magenta keyed out"))
        sheet.row_of(entries)
        yield sheet


def enlarged(pictures):
    sheet = Section(pictures)
    sheet.heading("Pieces and what is drawn over them, four times enlarged")
    names = [f"sprites/piece-{c}-1" for c in COLOURS]
    names += [n for n in pictures if re.match(r"sprites/piece-(powerup-.*|lock|lock-1|gear)$", n)]
    sheet.row_of([(n, None, n.rsplit("/", 1)[-1]) for n in names if n in pictures], 4.0)
    return sheet


def play_field(pictures, rings):
    """The largest tower as the game draws it, 800 x 600."""
    sheet = Section(pictures)
    sheet.heading("A play field: the largest tower, its jug pie and the timer's dial")
    left, top = 20, sheet.y
    sheet.rect(left, top, 800, 600, "#202436")
    cx, cy = left + 400, top + 300
    radii = [d / 2 for d in rings["Ring Radius"]]
    scales_x, scales_y = rings["Ring ScalesX"], rings["Ring ScalesY"]
    height = rings["Piece Height"][0]

    def ring_scale(values, ring):
        product = 1.0
        for value in values[:ring + 1]:
            product *= value
        return product

    if "sprites/jugs/timer-alert-red" in pictures:
        sheet.draw("sprites/jugs/timer-alert-red", cx, cy, PIECE_SCALE)
    value = 0.7
    for k in range(int(value * 8)):
        a = -k * 45.0
        sx = -100 * math.cos(math.radians(a)) + 247 * math.sin(math.radians(a))
        sy = -100 * math.sin(math.radians(a)) - 247 * math.cos(math.radians(a))
        sheet.draw("sprites/jugs/timer-center-tick2", cx + sx, cy + sy, 1.0, a)
    c = int(value * 8) * math.pi / 4 + math.pi / 120
    while c < value * 2 * math.pi:
        sheet.draw("sprites/jugs/timer-center-tick", cx - 293 * math.sin(c), cy - 293 * math.cos(c), 1.0, -math.degrees(c))
        c += math.pi / 60
    sheet.draw("sprites/jugs/timer-center-top", cx, cy, PIECE_SCALE, mask="sprites/jugs/timer-center-topa")
    n = value * 2 * math.pi
    sheet.draw("sprites/jugs/timer-center-arrow", cx - 293 * math.sin(n), cy - 293 * math.cos(n), 1.0, -math.degrees(n))

    chance = random.Random(61)
    overlays = {}
    for ring in range(len(radii)):
        for slot in range(12):
            overlays[(ring, slot)] = None
    specials = [(2, 3, "block"), (5, 7, "cage"), (7, 1, "counter"), (4, 10, "lock"), (9, 5, "gear"),
                (6, 2, "sprites/piece-powerup-cbomb-1"), (8, 9, "sprites/piece-powerup-rbomb-1"),
                (10, 4, "sprites/piece-powerup-abomb-1"), (3, 6, "sprites/piece-powerup-clbomb-1"),
                (11, 8, "sprites/piece-powerup-ccbomb-1"), (1, 0, "highlight"), (6, 11, "grow"),
                (8, 3, "alert"), (10, 10, "fill"), (0, 5, "edge")]
    for ring, slot, what in specials:
        if ring < len(radii):
            overlays[(ring, slot)] = what
    for ring in range(len(radii) - 1, -1, -1):
        sx, sy = ring_scale(scales_x, ring), ring_scale(scales_y, ring)
        radius = radii[ring] - 0.5 * height * sy
        for slot in range(12):
            angle = slot * 30.0 + 15.0
            x = cx + radius * math.sin(math.radians(angle))
            y = cy - radius * math.cos(math.radians(angle))
            colour = COLOURS[chance.randrange(6)]
            what = overlays[(ring, slot)]
            piece = f"sprites/piece-{colour}-1"
            if what == "block":
                sheet.draw("sprites/blockers/piece-block12", x, y, sx, angle)
                continue
            sheet.draw(piece, x, y, sx * PIECE_SCALE, angle)
            if what == "cage":
                sheet.draw("sprites/blockers/counter/piece-blockers-50", x, y, sx, angle)
            elif what == "counter":
                sheet.draw("sprites/piece-counter-3", x, y, sx, angle)
            elif what == "lock":
                sheet.draw("sprites/piece-lock-1", x, y, sx * PIECE_SCALE, angle)
                sheet.draw("sprites/piece-lock", x, y, sx * PIECE_SCALE, angle)
                sheet.draw("sprites/piece-lock-glow", x, y, sx, angle, opacity=0.8)
            elif what == "gear":
                sheet.draw("sprites/piece-gear", x - 15 * sx * math.sin(math.radians(angle)),
                           y + 15 * sx * math.cos(math.radians(angle)), sx * PIECE_SCALE, angle + 20)
            elif what == "highlight":
                sheet.draw("sprites/tutorials/piece-highlight", x, y, sx, angle)
            elif what == "grow":
                sheet.draw("sprites/piece-grow12", x, y, sx * PIECE_SCALE, angle, opacity=0.8)
            elif what == "alert":
                sheet.draw("sprites/blockers/piece-blockers-alert", x, y, sx * PIECE_SCALE, angle)
            elif what == "fill":
                sheet.draw("sprites/jugs/piece-fill-highlight", x, y, sx, angle, opacity=0.7)
            elif what == "edge":
                sheet.draw("sprites/piece-edge-glow", x, y, sx, angle)
            elif what:
                sheet.draw(what, x, y, sx * PIECE_SCALE, angle)
    for jug in range(12):
        angle = jug * 30.0
        fill = (jug * 5 % 12) / 11.0
        colour = COLOURS[jug % 6]
        if fill >= 1.0:
            continue
        sheet.draw("sprites/jugs/center-color-black", cx, cy, 1.0, angle, mask="sprites/jugs/center-color-black-alpha")
        sheet.draw(f"sprites/jugs/center-arrow-{colour}-1", cx, cy, 1.0, angle, mask="sprites/jugs/center-color-alpha",
                   opacity=1 - fill)
        sheet.draw(f"sprites/jugs/center-color-{colour}-1", cx, cy, 0.18 + 0.82 * fill, angle,
                   mask="sprites/jugs/center-color-alpha")
    for jug in range(12):
        sheet.draw("sprites/jugs/piece-line", cx, cy, 1.0, jug * 30.0)
    sheet.draw("sprites/tutorials/arrow-1", cx + radii[1] * 0.26, cy - radii[1] * 0.97, 1.0, 15.0)
    sheet.y = top + 610
    return sheet


def render(rsvg, svg_text, png_path):
    svg_path = png_path[:-len(".png")] + ".svg"
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(svg_text)
    subprocess.run([rsvg, "-o", png_path, svg_path], check=True)


def stack(section_pngs):
    """An SVG of the rendered sections one under the other."""
    images, y = [], 0
    for path in section_pngs:
        width, height = picture_size(path)
        with open(path, "rb") as f:
            data = base64.b64encode(f.read()).decode()
        images.append(f'<image y="{y}" width="{width}" height="{height}" href="data:image/png;base64,{data}"/>')
        y += height
    return f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{y}">\n' + "\n".join(images) + "\n</svg>\n"


def main(arguments):
    rsvg = "rsvg-convert"
    if len(arguments) == 4 and arguments[0] == "--rsvg":
        rsvg, arguments = arguments[1], arguments[2:]
    if len(arguments) != 2:
        sys.exit("usage: contactsheet.py [--rsvg RSVG_CONVERT] DATA_DIR OUT_DIR")
    data_dir, out_dir = arguments
    os.makedirs(os.path.join(out_dir, "sections"), exist_ok=True)
    pictures = Pictures(data_dir, out_dir, rsvg)
    sections = [play_field(pictures, read_rings(data_dir)), enlarged(pictures)] + list(every_picture(pictures))
    for grey, name in ((False, "contact-sheet"), (True, "contact-sheet-grey")):
        section_pngs = []
        for index, section in enumerate(sections):
            section_pngs.append(os.path.join(out_dir, "sections", f"{name}-{index:02d}.png"))
            render(rsvg, section.svg(grey), section_pngs[-1])
        render(rsvg, stack(section_pngs), os.path.join(out_dir, name + ".png"))

if __name__ == "__main__":
    main(sys.argv[1:])
