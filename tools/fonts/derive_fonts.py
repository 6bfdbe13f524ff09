#!/usr/bin/env python3
"""Derives the program's own print faces from installed Debian fonts.

The printed forms use three faces: 宋体 (a serif CJK face), 黑体 (a sans CJK
face) and Arial (a Latin sans face). So that the same data file gives the same
sheets on every machine, the program carries its own copies of them, under
family names no other font has, and never falls back to whatever else is
installed:

  DZSB Serif        from Noto Serif CJK SC (regular and bold)
  DZSB Sans         from Noto Sans CJK SC (regular and bold)
  DZSB Arial        from Liberation Sans (regular and bold), metric-compatible with Arial
  DZSB Serif Extra  the characters of DZSB Serif that share a glyph (below)
  DZSB Sans Extra   the same for DZSB Sans

A PDF's text layer tells which character each glyph stands for, one
character per glyph; Qt's PDF writer names each glyph by the lowest code point
that maps to it. In the CJK faces many glyphs serve several code points: 胶
U+80F6 and 㬵 U+3B35, ／ U+FF0F and ∕ U+2215, ～ U+FF5E and 〜 U+301C, 郎 U+90CE
and the compatibility ideograph 郎 U+F92C, 用 U+7528 and the Kangxi radical ⽤
U+2F64. Printed in the source face, 胶 would read back as 㬵. So each shared
glyph keeps one code point in the main face (a GB2312 character before
another GBK character, an ideograph before a radical or compatibility form,
then the lowest), and every other code point of it moves to the Extra face,
which gives each its own copy of the outline. The program prints with the
Extra face right behind the main one, so every character still prints in the
same design, and every glyph of either face stands for exactly one character.

The CJK sources lack one GBK character, ≒ U+2252; the Extra faces draw it from
the face's own ＝ with two dots, so that it too prints in the program's faces.

The CJK sources hold 65,535 glyphs, the most a font can, so the copies cannot
go into the main faces themselves.

Usage: derive_fonts.py <output directory>
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.ttLib import TTCollection, TTFont

NOTO = "/usr/share/fonts/opentype/noto"
LIBERATION = "/usr/share/fonts/truetype/liberation2"

FACES = [
    # (source file, family inside a collection, new family, style, output file, Extra face file)
    (f"{NOTO}/NotoSerifCJK-Regular.ttc", "Noto Serif CJK SC", "DZSB Serif", "Regular", "DZSBSerif-Regular.otf",
     "DZSBSerifExtra-Regular.otf"),
    (f"{NOTO}/NotoSerifCJK-Bold.ttc", "Noto Serif CJK SC", "DZSB Serif", "Bold", "DZSBSerif-Bold.otf",
     "DZSBSerifExtra-Bold.otf"),
    (f"{NOTO}/NotoSansCJK-Regular.ttc", "Noto Sans CJK SC", "DZSB Sans", "Regular", "DZSBSans-Regular.otf",
     "DZSBSansExtra-Regular.otf"),
    (f"{NOTO}/NotoSansCJK-Bold.ttc", "Noto Sans CJK SC", "DZSB Sans", "Bold", "DZSBSans-Bold.otf",
     "DZSBSansExtra-Bold.otf"),
    (f"{LIBERATION}/LiberationSans-Regular.ttf", None, "DZSB Arial", "Regular", "DZSBArial-Regular.ttf", None),
    (f"{LIBERATION}/LiberationSans-Bold.ttf", None, "DZSB Arial", "Bold", "DZSBArial-Bold.ttf", None),
]

IDEOGRAPHS = [(0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0x20000, 0x3134F)]
APPROXIMATELY_EQUAL_OR_IMAGE = 0x2252  # ≒
FULLWIDTH_EQUALS = 0xFF1D              # ＝


def gbk_characters(rows=range(0x81, 0xFF), cells=range(0x40, 0xFF)):
    """Characters of code page 936 (GBK) in the given lead and trail byte
    ranges, as code points, with the printable ASCII characters."""
    found = set(range(0x20, 0x7F))
    for lead in rows:
        for trail in cells:
            try:
                text = bytes([lead, trail]).decode("gbk")
            except UnicodeDecodeError:
                continue
            if len(text) == 1:
                found.add(ord(text))
    return found


GB2312 = gbk_characters(range(0xA1, 0xF8), range(0xA1, 0xFF))  # the GB2312 part of GBK
GBK = gbk_characters() | {0x20AC}  # the single byte 0x80 is the euro sign in code page 936


def within(cp, ranges):
    return any(lo <= cp <= hi for lo, hi in ranges)


def preference(cp):
    """Sort key: the code point that keeps a shared glyph in the main face."""
    return (cp not in GB2312, cp not in GBK, not within(cp, IDEOGRAPHS), cp > 0xFFFF, cp)


def family_of(font):
    name = font["name"]
    return (name.getDebugName(16) or name.getDebugName(1) or "").strip()


def load(path, family):
    if family is None:
        return TTFont(path, lazy=True, recalcBBoxes=False, recalcTimestamp=False)
    collection = TTCollection(path, lazy=True, recalcBBoxes=False, recalcTimestamp=False)
    for font in collection.fonts:
        if family_of(font) == family:
            return font
    sys.exit(f"derive_fonts: no font of the family {family} in {path}")


def unicode_tables(font):
    return [t for t in font["cmap"].tables if t.isUnicode() and t.format != 14]


def split_shared_code_points(font):
    """Leaves each glyph of the font one code point; returns the others
    (code point -> glyph name), which the Extra face takes."""
    best = font.getBestCmap()
    by_glyph = {}
    for cp, glyph in best.items():
        by_glyph.setdefault(glyph, []).append(cp)
    moved = {}
    for glyph, cps in by_glyph.items():
        for cp in sorted(cps, key=preference)[1:]:
            moved[cp] = glyph
    for table in unicode_tables(font):
        for cp in moved:
            table.cmap.pop(cp, None)
    # Variation sequences on a moved base character now belong to no glyph
    # of this face.
    for table in font["cmap"].tables:
        if table.format == 14:
            for selector in list(table.uvsDict):
                table.uvsDict[selector] = [(cp, g) for cp, g in table.uvsDict[selector] if cp not in moved]
                if not table.uvsDict[selector]:
                    del table.uvsDict[selector]
    return moved


def circle(pen, cx, cy, r):
    """A closed circle, counter-clockwise like every outer contour of the face."""
    k = 0.5523 * r
    pen.moveTo((cx + r, cy))
    pen.curveTo((cx + r, cy + k), (cx + k, cy + r), (cx, cy + r))
    pen.curveTo((cx - k, cy + r), (cx - r, cy + k), (cx - r, cy))
    pen.curveTo((cx - r, cy - k), (cx - k, cy - r), (cx, cy - r))
    pen.curveTo((cx + k, cy - r), (cx + r, cy - k), (cx + r, cy))
    pen.closePath()


def draw_approximately_equal(glyph_set, equals, pen):
    """≒: the face's ＝ with a dot above its left end and one below its right end."""
    recording = RecordingPen()
    glyph_set[equals].draw(recording)
    recording.replay(pen)
    # The two bars, one contour each: their height is the stroke.
    bars = []
    contour = RecordingPen()
    for operator, operands in recording.value:
        getattr(contour, operator)(*operands)
        if operator in ("closePath", "endPath"):
            bounds = BoundsPen(glyph_set)
            contour.replay(bounds)
            if bounds.bounds:
                bars.append(bounds.bounds)
            contour = RecordingPen()
    x_min = min(b[0] for b in bars)
    y_min = min(b[1] for b in bars)
    x_max = max(b[2] for b in bars)
    y_max = max(b[3] for b in bars)
    stroke = min(b[3] - b[1] for b in bars)
    r = stroke * 0.8
    gap = stroke * 0.9
    width = x_max - x_min
    circle(pen, x_min + 0.2 * width, y_max + gap + r, r)
    circle(pen, x_max - 0.2 * width, y_min - gap - r, r)


def build_extra(source, moved, family, style, path):
    """A small CFF face holding each moved code point with its own outline."""
    glyph_set = source.getGlyphSet()
    hmtx = source["hmtx"]
    order = [".notdef"]
    cmap = {}
    char_strings = {}
    metrics = {}

    def add(name, advance, draw):
        pen = T2CharStringPen(advance, None)
        draw(pen)
        char_strings[name] = pen.getCharString()
        bounds = BoundsPen(None)
        draw(bounds)
        metrics[name] = (advance, int(round(bounds.bounds[0])) if bounds.bounds else 0)

    notdef = source.getGlyphOrder()[0]
    add(".notdef", hmtx[notdef][0], glyph_set[notdef].draw)
    for cp in sorted(moved):
        name = f"uni{cp:04X}" if cp <= 0xFFFF else f"u{cp:05X}"
        order.append(name)
        cmap[cp] = name
        add(name, hmtx[moved[cp]][0], glyph_set[moved[cp]].draw)
    best = source.getBestCmap()
    if APPROXIMATELY_EQUAL_OR_IMAGE not in best and FULLWIDTH_EQUALS in best:
        equals = best[FULLWIDTH_EQUALS]
        name = f"uni{APPROXIMATELY_EQUAL_OR_IMAGE:04X}"
        order.append(name)
        cmap[APPROXIMATELY_EQUAL_OR_IMAGE] = name
        add(name, hmtx[equals][0], lambda pen: draw_approximately_equal(glyph_set, equals, pen))

    bold = style == "Bold"
    postscript = (family + "-" + style).replace(" ", "")
    full = f"{family} {style}" if bold else family
    builder = FontBuilder(source["head"].unitsPerEm, isTTF=False)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupCFF(postscript, {"FullName": full, "FamilyName": family, "Weight": style}, char_strings, {})
    builder.setupHorizontalMetrics(metrics)
    hhea = source["hhea"]
    builder.setupHorizontalHeader(ascent=hhea.ascent, descent=hhea.descent, lineGap=hhea.lineGap)
    builder.setupNameTable({
        "familyName": family,
        "styleName": style,
        "uniqueFontIdentifier": f"{postscript};derived",
        "fullName": full,
        "psName": postscript,
    })
    os2 = source["OS/2"]
    builder.setupOS2(
        usWeightClass=700 if bold else 400,
        fsSelection=0x20 if bold else 0x40,
        fsType=0,
        sTypoAscender=os2.sTypoAscender,
        sTypoDescender=os2.sTypoDescender,
        sTypoLineGap=os2.sTypoLineGap,
        usWinAscent=os2.usWinAscent,
        usWinDescent=os2.usWinDescent,
        achVendID=os2.achVendID,
    )
    builder.font["head"].macStyle = 1 if bold else 0
    builder.setupPost()
    builder.save(path + ".tmp")
    os.replace(path + ".tmp", path)


def rename(font, family, style):
    name = font["name"]
    full = f"{family} {style}" if style != "Regular" else family
    postscript = (family + "-" + style).replace(" ", "")
    keep = []
    for record in name.names:
        if record.nameID in (1, 2, 3, 4, 6, 16, 17, 21, 22):
            continue
        keep.append(record)
    name.names = keep
    for plat, enc, lang in ((3, 1, 0x409), (1, 0, 0)):
        name.setName(family, 1, plat, enc, lang)
        name.setName(style, 2, plat, enc, lang)
        name.setName(f"{postscript};derived", 3, plat, enc, lang)
        name.setName(full, 4, plat, enc, lang)
        name.setName(postscript, 6, plat, enc, lang)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: derive_fonts.py <output directory>")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for source, family, new_family, style, file_name, extra_file in FACES:
        if not os.path.exists(source):
            sys.exit(f"derive_fonts: {source} is missing (Debian packages fonts-noto-cjk and fonts-liberation2)")
        font = load(source, family)
        moved = split_shared_code_points(font)
        if extra_file:
            build_extra(font, moved, new_family + " Extra", style, os.path.join(out, extra_file))
        elif moved:
            sys.exit(f"derive_fonts: {source} maps {len(moved)} code points to glyphs of others and has no Extra face")
        rename(font, new_family, style)
        target = os.path.join(out, file_name)
        font.save(target + ".tmp")
        os.replace(target + ".tmp", target)


if __name__ == "__main__":
    main()
