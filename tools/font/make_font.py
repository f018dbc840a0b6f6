#!/usr/bin/python3
"""Builds the game's pixel font from tools/font/glyphs.txt with fontTools' fontBuilder.

    make_font.py GLYPHS OUT.ttf

The game opens the font at 12 pixels to the em and renders each text 1-bit, so every pixel of
glyphs.txt becomes a square of PIXEL units exactly on the pixel grid, and FreeType's mono
renderer gives back the drawn pixels. The same glyphs always give the same bytes: the file's
dates are fixed.
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable
from fontTools.ttLib.tables._k_e_r_n import KernTable_format_0
from fontTools.ttLib.tables.ttProgram import Program

PIXELS_PER_EM = 12
PIXEL = 64  # units per pixel: one unit is FreeType's 1/64 pixel at 12 pixels to the em
ASCENT = 6  # rows above the baseline; the rest of the em hangs below it
MAX_ROWS = 8
DATE = timestampFromString("Tue Dec  8 00:00:00 2026")
NAMES = {
    "copyright": "Copyright 2026 The Brannoch developers",
    "familyName": "Brannoch",
    "styleName": "Regular",
    "uniqueFontIdentifier": "Brannoch Regular 1.000",
    "fullName": "Brannoch Regular",
    "version": "Version 1.000",
    "psName": "Brannoch-Regular",
    "licenseDescription": "MIT License: the licence of the game Brannoch, in its LICENSE file.",
}


def read_glyphs(path):
    """{character or 'notdef': rows}, and the kerning pairs {(left, right): columns}."""
    glyphs, kerning, name = {}, {}, None
    for number, line in enumerate(open(path, encoding="ascii"), 1):
        line = line.rstrip("\n")
        where = f"{path}:{number}"
        if line.startswith("="):
            name = {"space": " "}.get(line[2:], line[2:])
            if name in glyphs or (len(name) != 1 and name != "notdef"):
                sys.exit(f"{where}: a second or unknown glyph '{name}'")
            glyphs[name] = []
        elif line.startswith("kern "):
            _, lefts, rights, columns = line.split()
            kerning.update({(l, r): int(columns) for l in lefts for r in rights})
        elif line and not line.startswith("# "):
            rows = glyphs[name]
            if set(line) - set("#.") or (rows and len(line) != len(rows[0])):
                sys.exit(f"{where}: '{name}' has a row of other width or other characters")
            rows.append(line)
            if len(rows) > MAX_ROWS:
                sys.exit(f"{where}: '{name}' has more than {MAX_ROWS} rows")
    missing = [chr(c) for c in range(0x20, 0x7F) if chr(c) not in glyphs]
    if missing or "notdef" not in glyphs:
        sys.exit(f"{path}: no glyph for {missing or 'notdef'}")
    return glyphs, kerning


def outline(rows):
    """The ink of `rows` as closed contours of pixel edges, clockwise around ink (y up)."""
    edges = {}  # start corner -> end corners; an edge shared by two ink pixels cancels
    for r, row in enumerate(rows):
        for c, ink in enumerate(row):
            if ink != "#":
                continue
            top, bottom = ASCENT - r, ASCENT - r - 1
            corners = [(c, top), (c + 1, top), (c + 1, bottom), (c, bottom)]
            for start, end in zip(corners, corners[1:] + corners[:1]):
                back = edges.get(end, [])
                if start in back:
                    back.remove(start)
                else:
                    edges.setdefault(start, []).append(end)
    contours = []
    for start in sorted(edges):
        while edges[start]:
            points, here = [start], start
            while True:
                ends = edges[here]
                end = ends.pop(turn_right(points, ends) if len(ends) > 1 else 0)
                if end == start:
                    break
                points.append(end)
                here = end
            contours.append(straightened(points))
    return contours


def turn_right(points, ends):
    """Where two contours touch at a corner, keeps each one whole: the sharpest right turn."""
    here, before = points[-1], points[-2]
    dx, dy = here[0] - before[0], here[1] - before[1]
    right = (here[0] + dy, here[1] - dx)
    return ends.index(right) if right in ends else 0


def straightened(points):
    """The corners of a contour only: points in the middle of a straight run dropped."""
    kept = []
    for i, (x, y) in enumerate(points):
        (px, py), (nx, ny) = points[i - 1], points[(i + 1) % len(points)]
        if (x - px) * (ny - y) != (y - py) * (nx - x):
            kept.append((x * PIXEL, y * PIXEL))
    return kept


def glyph_name(character):
    return ".notdef" if character == "notdef" else f"uni{ord(character):04X}"


def build(glyphs, kerning):
    order = [glyph_name(c) for c in glyphs]
    builder = FontBuilder(PIXELS_PER_EM * PIXEL, isTTF=True)
    builder.updateHead(created=DATE, modified=DATE, fontRevision=1.0)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({ord(c): glyph_name(c) for c in glyphs if c != "notdef"})
    shapes, metrics = {}, {}
    for character, rows in glyphs.items():
        pen = TTGlyphPen(None)
        for contour in outline(rows):
            pen.moveTo(contour[0])
            for point in contour[1:]:
                pen.lineTo(point)
            pen.closePath()
        name = glyph_name(character)
        shapes[name] = pen.glyph()
        metrics[name] = len(rows[0]) * PIXEL
    builder.setupGlyf(shapes)
    builder.setupHorizontalMetrics(
        {name: (width, getattr(shapes[name], "xMin", 0)) for name, width in metrics.items()})
    ascent, descent = ASCENT * PIXEL, (PIXELS_PER_EM - ASCENT) * PIXEL
    builder.setupHorizontalHeader(ascent=ascent, descent=-descent, lineGap=0)
    builder.setupNameTable(NAMES)
    builder.setupOS2(usWeightClass=700, fsType=0, achVendID="BRAN", sTypoAscender=ascent,
                     sTypoDescender=-descent, sTypoLineGap=0, usWinAscent=ascent,
                     usWinDescent=descent, sxHeight=4 * PIXEL, sCapHeight=ASCENT * PIXEL)
    builder.setupPost(keepGlyphNames=False)
    # One instruction to run at each size: with none at all FreeType would auto-hint the
    # outlines off the pixel grid. No glyph has instructions of its own.
    prep = builder.font["prep"] = newTable("prep")
    prep.program = Program()
    prep.program.fromAssembly(["SVTCA[0]"])
    # Kerning in the old `kern` table, which FreeType applies by itself and HarfBuzz too, so a
    # build with a shaping engine and one without space the digits alike.
    table = KernTable_format_0()
    table.coverage, table.tupleIndex = 1, None
    table.kernTable = {(glyph_name(l), glyph_name(r)): n * PIXEL for (l, r), n in kerning.items()}
    kern = builder.font["kern"] = newTable("kern")
    kern.version, kern.kernTables = 0, [table]
    return builder


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} GLYPHS OUT.ttf")
    build(*read_glyphs(sys.argv[1])).save(sys.argv[2])
