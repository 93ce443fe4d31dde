#!/usr/bin/env python3
"""Makes the SVG drawings of the game's pictures from assets-src/images.

    picturegen.py SOURCE_DIR OUT_DIR     writes OUT_DIR/<name>.svg for every picture
    picturegen.py --list SOURCE_DIR      prints every picture's name, one a line

A picture is either a drawing of its own, SOURCE_DIR/<name>.svg at its
logical name, or a member of a family: a line of SOURCE_DIR/families.txt names
a template of SOURCE_DIR/templates and the values its variables run through,
and every combination of them makes one picture.

Both kinds may hold expressions between double braces, "{{ ... }}": Python
expressions over the family's variables, the palette and measures of
SOURCE_DIR/palette.txt and the helpers below, so that one colour or one
measure is written once and shared by every picture; "{{ set a, b = ... }}"
names values for the expressions after it. A drawing without expressions
passes through as written.

Output files are written only when their bytes change, so the build renders
again only the pictures whose drawing changed. The same sources give the same
bytes.
"""

import itertools
import math
import os
import re
import sys

EXPRESSION = re.compile(r"\{\{(.*?)\}\}", re.S)
COMMENT = re.compile(r"(?:^|\s)#(?:\s|$)")


def read_lines(path):
    """The non-empty lines of a file, without comments: from a "#" that
    stands alone as a word ("#ff0000" is a colour)."""
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = COMMENT.split(line, 1)[0].strip()
            if line:
                yield number, line


def read_palette(path):
    """Keys and values of the palette: "key value", numbers read as floats."""
    palette = {}
    for number, line in read_lines(path):
        key, _, value = line.partition(" ")
        value = value.strip()
        if not value:
            sys.exit(f"{path}:{number}: a key without a value")
        try:
            palette[key] = float(value)
        except ValueError:
            palette[key] = value
    return palette


def expand_values(text):
    """"a,b,c" (an empty value is allowed) or "1..9" (both ends included)."""
    ends = re.fullmatch(r"(-?\d+)\.\.(-?\d+)", text)
    if ends:
        return list(range(int(ends.group(1)), int(ends.group(2)) + 1))
    return [literal(v) for v in text.split(",")]


def literal(text):
    """An integer, a float or else the text itself."""
    for kind in (int, float):
        try:
            return kind(text)
        except ValueError:
            pass
    return text


def read_families(path):
    """Each family line: name pattern, template, then name=values settings."""
    families = []
    for number, line in read_lines(path):
        fields = line.split()
        if len(fields) < 2:
            sys.exit(f"{path}:{number}: a family needs a name pattern and a template")
        variables = {}
        for setting in fields[2:]:
            key, sep, values = setting.partition("=")
            if not sep or not values:
                sys.exit(f"{path}:{number}: '{setting}' is not name=values")
            variables[key] = expand_values(values)
        families.append((fields[0], fields[1], variables, f"{path}:{number}"))
    return families


def family_members(pattern, variables):
    """(name, variables) of every combination of the variables' values."""
    keys = list(variables)
    for combination in itertools.product(*(variables[k] for k in keys)):
        values = dict(zip(keys, combination))
        yield pattern.format(**values), values


# Helpers the drawings call. Angles are in degrees, clockwise from straight
# up, as the tower turns; points are screen points (y grows downward).

def number(value):
    """A number as the drawings write it: at most three decimals."""
    text = f"{value:.3f}".rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def polar(cx, cy, radius, angle):
    a = math.radians(angle)
    return cx + radius * math.sin(a), cy - radius * math.cos(a)


def point(x, y):
    return f"{number(x)},{number(y)}"


def polygon(cx, cy, radius, sides, turn=0.0):
    """Points of a regular polygon with a corner at angle turn."""
    return " ".join(point(*polar(cx, cy, radius, turn + 360.0 * i / sides)) for i in range(sides))


def star(cx, cy, outer, inner, tips, turn=0.0):
    """Points of a star with tips corners at outer radius, one at angle turn."""
    corners = []
    for i in range(2 * tips):
        corners.append(point(*polar(cx, cy, outer if i % 2 == 0 else inner, turn + 180.0 * i / tips)))
    return " ".join(corners)


def sector(cx, cy, outer, inner, half_angle, corner=0.0):
    """Path of the ring piece between radii inner and outer around (cx, cy),
    from -half_angle to +half_angle, its four corners rounded with radius
    corner (the ring piece shrunk by corner, grown again by a disc)."""
    if corner <= 0:
        a, b = polar(cx, cy, outer, -half_angle), polar(cx, cy, outer, half_angle)
        c, d = polar(cx, cy, inner, half_angle), polar(cx, cy, inner, -half_angle)
        return (f"M{point(*a)} A{number(outer)},{number(outer)} 0 0 1 {point(*b)} L{point(*c)} "
                f"A{number(inner)},{number(inner)} 0 0 0 {point(*d)} Z")
    r = corner
    outer_corner = half_angle - math.degrees(math.asin(r / (outer - r)))
    inner_corner = half_angle - math.degrees(math.asin(r / (inner + r)))

    def side_point(radius, angle, side):
        # The point r beyond a shrunk corner, across the straight side.
        x, y = polar(cx, cy, radius, side * angle)
        normal = math.radians(side * half_angle)
        return x + side * r * math.cos(normal), y + side * r * math.sin(normal)

    o = number(outer)
    i = number(inner)
    rr = number(r)
    parts = [
        f"M{point(*polar(cx, cy, outer, -outer_corner))}",
        f"A{o},{o} 0 0 1 {point(*polar(cx, cy, outer, outer_corner))}",
        f"A{rr},{rr} 0 0 1 {point(*side_point(outer - r, outer_corner, 1))}",
        f"L{point(*side_point(inner + r, inner_corner, 1))}",
        f"A{rr},{rr} 0 0 1 {point(*polar(cx, cy, inner, inner_corner))}",
        f"A{i},{i} 0 0 0 {point(*polar(cx, cy, inner, -inner_corner))}",
        f"A{rr},{rr} 0 0 1 {point(*side_point(inner + r, inner_corner, -1))}",
        f"L{point(*side_point(outer - r, outer_corner, -1))}",
        f"A{rr},{rr} 0 0 1 {point(*polar(cx, cy, outer, -outer_corner))}",
        "Z",
    ]
    return " ".join(parts)


def arc_band(cx, cy, inner, outer, start, end):
    """Path of the band between two radii from angle start to angle end
    (clockwise when end > start), with straight ends."""
    large = 1 if abs(end - start) > 180 else 0
    sweep = 1 if end > start else 0
    a, b = polar(cx, cy, outer, start), polar(cx, cy, outer, end)
    c, d = polar(cx, cy, inner, end), polar(cx, cy, inner, start)
    return (f"M{point(*a)} A{number(outer)},{number(outer)} 0 {large} {sweep} {point(*b)} L{point(*c)} "
            f"A{number(inner)},{number(inner)} 0 {large} {1 - sweep} {point(*d)} Z")


def wedge(cx, cy, radius, start, end):
    """Path of the pie wedge from angle start to angle end, clockwise."""
    a, b = polar(cx, cy, radius, start), polar(cx, cy, radius, end)
    large = 1 if end - start > 180 else 0
    return f"M{point(cx, cy)} L{point(*a)} A{number(radius)},{number(radius)} 0 {large} 1 {point(*b)} Z"


def mix(first, second, amount):
    """The colour amount of the way from first to second ("#rrggbb")."""
    a = [int(first[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(second[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * amount):02x}" for x, y in zip(a, b))


def jitter(seed, index):
    """A repeatable number in [0, 1) for index of a sequence named by seed
    (the same on every machine and Python version)."""
    value = (seed * 0x9E3779B1 + index * 0x85EBCA77 + 0x165667B1) & 0xFFFFFFFF
    for shift, factor in ((16, 0x7FEB352D), (15, 0x846CA68B), (16, 1)):
        value ^= value >> shift
        value = (value * factor) & 0xFFFFFFFF
    return value / 2 ** 32


HELPERS = {
    "math": math, "sin": lambda a: math.sin(math.radians(a)), "cos": lambda a: math.cos(math.radians(a)),
    "number": number, "polar": polar, "point": point, "polygon": polygon, "star": star,
    "sector": sector, "arc_band": arc_band, "wedge": wedge, "mix": mix, "jitter": jitter,
    "range": range, "enumerate": enumerate, "zip": zip, "len": len, "int": int, "round": round,
    "min": min, "max": max, "abs": abs,
}


def ring_frame(palette, frame):
    """Centre (x, y) of the tower and the outer and inner radius of the ring,
    in a picture of a frame of the palette ("piece" or "slot"): a picture
    centred on a cell of the ring, up pointing away from the centre."""
    width, height, outer = (palette[f"{frame}.{key}"] for key in ("width", "height", "outer"))
    inner = outer / palette["tower.ring-ratio"]
    return width / 2, height / 2 + (outer + inner) / 2, outer, inner


def expand(text, variables, palette, where):
    namespace = dict(HELPERS)
    namespace.update(variables)
    namespace["ring_frame"] = lambda frame: ring_frame(palette, frame)

    def tile(frame, inset=0.0, gap=0.0, corner=0.0):
        # The cell of the ring, inset from its rims and gap degrees in from
        # its sides, corners rounded.
        cx, cy, outer, inner = ring_frame(palette, frame)
        return sector(cx, cy, outer - inset, inner + inset, 15.0 - gap, corner)

    namespace["tile"] = tile
    namespace["p"] = lambda key: palette[key]
    # The colour of a family that runs through the piece colours: c("base")
    # is the palette's "<colour>.base".
    namespace["c"] = lambda key: palette[f"{variables['colour']}.{key}"]
    namespace["join"] = lambda parts: "".join(parts)

    namespace["__builtins__"] = {}

    def evaluate(match):
        expression = match.group(1).strip()
        # "set a, b = expression" names values for the expressions after it.
        binding = re.fullmatch(r"set\s+([\w\s,]+?)\s*=(.*)", expression, re.S)
        try:
            if binding:
                names = [name.strip() for name in binding.group(1).split(",")]
                value = eval(f"({binding.group(2)})", namespace)  # the drawings are our own sources
                namespace.update(zip(names, value) if len(names) > 1 else [(names[0], value)])
                return ""
            # In brackets, an expression may run over several lines.
            value = eval(f"({expression})", namespace)
        except Exception as error:  # a fault in a drawing names the drawing
            sys.exit(f"{where}: {{{{{expression}}}}}: {error!r}")
        return number(value) if isinstance(value, float) else str(value)

    return EXPRESSION.sub(evaluate, text)


def own_drawings(source_dir):
    """Names of the drawings that are pictures of their own."""
    names = []
    for folder, subfolders, files in os.walk(source_dir):
        subfolders[:] = sorted(d for d in subfolders if os.path.join(folder, d) != os.path.join(source_dir, "templates"))
        for file in sorted(files):
            if file.endswith(".svg"):
                path = os.path.relpath(os.path.join(folder, file), source_dir)
                names.append(path[:-len(".svg")].replace(os.sep, "/"))
    return names


def all_pictures(source_dir):
    """(name, drawing file, variables) of every picture."""
    pictures = [(name, os.path.join(source_dir, name + ".svg"), {}) for name in own_drawings(source_dir)]
    for pattern, template, variables, where in read_families(os.path.join(source_dir, "families.txt")):
        template_path = os.path.join(source_dir, "templates", template)
        if not os.path.isfile(template_path):
            sys.exit(f"{where}: no template {template}")
        for name, values in family_members(pattern, variables):
            pictures.append((name, template_path, values))
    seen = set()
    for name, _, _ in pictures:
        if name in seen:
            sys.exit(f"{source_dir}: the picture {name} is made twice")
        seen.add(name)
    return pictures


def write_if_changed(path, text):
    data = text.encode("utf-8")
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    os.makedirs(os.path.dirname(path), exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "--list":
        for name, _, _ in all_pictures(arguments[1]):
            print(name)
        return
    if len(arguments) != 2 or arguments[0].startswith("-"):
        sys.exit("usage: picturegen.py SOURCE_DIR OUT_DIR | picturegen.py --list SOURCE_DIR")
    source_dir, out_dir = arguments
    palette = read_palette(os.path.join(source_dir, "palette.txt"))
    for name, drawing, variables in all_pictures(source_dir):
        with open(drawing, encoding="utf-8") as f:
            text = f.read()
        write_if_changed(os.path.join(out_dir, name + ".svg"), expand(text, variables, palette, f"{drawing} ({name})"))


if __name__ == "__main__":
    main(sys.argv[1:])
