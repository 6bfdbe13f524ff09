#!/usr/bin/env python3
"""Derives the program's own print faces from installed Debian fonts.

The printed forms use three faces: 宋体 (a serif CJK face), 黑体 (a sans CJK
face) and Arial (a Latin sans face). So that the same data file gives the same
sheets on every machine, the program carries its own copies of them, under
family names no other font has, and never falls back to whatever else is
installed:

  DZSB Serif  from Noto Serif CJK SC (regular and bold)
  DZSB Sans   from Noto Sans CJK SC (regular and bold)
  DZSB Arial  from Liberation Sans (regular and bold), metric-compatible with Arial

In the CJK faces, many ideograph glyphs are also mapped from a Kangxi radical
or CJK radical code point (U+2F64 and U+7528 share the glyph of 用). A PDF
writer that names each glyph by one of its code points may then pick the
radical, and the text layer of a printed form reads "⽤" for 用. The derived
faces map such shared glyphs from the ideograph only.

Usage: derive_fonts.py <output directory>
"""
import os
import sys

from fontTools.ttLib import TTCollection, TTFont

NOTO = "/usr/share/fonts/opentype/noto"
LIBERATION = "/usr/share/fonts/truetype/liberation2"

FACES = [
    # (source file, family inside a collection, new family, style, output file)
    (f"{NOTO}/NotoSerifCJK-Regular.ttc", "Noto Serif CJK SC", "DZSB Serif", "Regular", "DZSBSerif-Regular.otf"),
    (f"{NOTO}/NotoSerifCJK-Bold.ttc", "Noto Serif CJK SC", "DZSB Serif", "Bold", "DZSBSerif-Bold.otf"),
    (f"{NOTO}/NotoSansCJK-Regular.ttc", "Noto Sans CJK SC", "DZSB Sans", "Regular", "DZSBSans-Regular.otf"),
    (f"{NOTO}/NotoSansCJK-Bold.ttc", "Noto Sans CJK SC", "DZSB Sans", "Bold", "DZSBSans-Bold.otf"),
    (f"{LIBERATION}/LiberationSans-Regular.ttf", None, "DZSB Arial", "Regular", "DZSBArial-Regular.ttf"),
    (f"{LIBERATION}/LiberationSans-Bold.ttf", None, "DZSB Arial", "Bold", "DZSBArial-Bold.ttf"),
]

# Code points that only repeat an ideograph's glyph: radicals and strokes
# shown as ideographs, and the compatibility ideographs.
SECONDARY = [(0x2E80, 0x2FDF), (0x31C0, 0x31EF), (0xF900, 0xFAFF), (0x2F800, 0x2FA1F)]
IDEOGRAPHS = [(0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0x20000, 0x3134F)]


def within(cp, ranges):
    return any(lo <= cp <= hi for lo, hi in ranges)


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


def drop_shared_code_points(font):
    """Removes secondary code points whose glyph an ideograph also maps."""
    for table in font["cmap"].tables:
        if not table.isUnicode():
            continue
        ideograph_glyphs = {g for cp, g in table.cmap.items() if within(cp, IDEOGRAPHS)}
        for cp in [cp for cp, g in table.cmap.items() if within(cp, SECONDARY) and g in ideograph_glyphs]:
            del table.cmap[cp]
    # Format 14 (variation sequences) refers to code points too; it has none
    # of the dropped ones as base characters that matter for printing.


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
    for source, family, new_family, style, file_name in FACES:
        if not os.path.exists(source):
            sys.exit(f"derive_fonts: {source} is missing (Debian packages fonts-noto-cjk and fonts-liberation2)")
        font = load(source, family)
        drop_shared_code_points(font)
        rename(font, new_family, style)
        target = os.path.join(out, file_name)
        font.save(target + ".tmp")
        os.replace(target + ".tmp", target)


if __name__ == "__main__":
    main()
