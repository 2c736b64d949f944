#!/usr/bin/python3
"""Derive the program's CJK resource font from Debian's Noto Sans CJK.

Picks the Simplified Chinese face out of the collection and subsets it to
Latin, the symbols the interface uses, the GB2312 repertoire and every
character found in the given translation and form files, so that the
resources stay small and no font file has to be kept in the sources.

usage: make_cjk_font.py <collection.ttc> <output.otf> [text files ...]
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection

FAMILY = "Noto Sans CJK SC"

# Unicode blocks kept whole (first, last).
BLOCKS = [
    (0x0020, 0x007E),  # Basic Latin
    (0x00A0, 0x017F),  # Latin-1 Supplement, Latin Extended-A
    (0x0370, 0x03FF),  # Greek (Ω, μ)
    (0x2000, 0x206F),  # General Punctuation
    (0x2100, 0x214F),  # Letterlike Symbols (Ω as the ohm sign)
    (0x2190, 0x21FF),  # Arrows
    (0x2200, 0x22FF),  # Mathematical Operators
    (0x2460, 0x24FF),  # Enclosed Alphanumerics
    (0x2500, 0x25FF),  # Box Drawing, Block Elements, Geometric Shapes
    (0x3000, 0x303F),  # CJK Symbols and Punctuation
    (0xFF00, 0xFFEF),  # Halfwidth and Fullwidth Forms
]


def gb2312_codepoints():
    cps = set()
    for hi in range(0xA1, 0xF8):
        for lo in range(0xA1, 0xFF):
            try:
                cps.add(ord(bytes((hi, lo)).decode("gb2312")))
            except UnicodeDecodeError:
                pass
    return cps


def face_index(path):
    collection = TTCollection(path, lazy=True)
    for i, font in enumerate(collection.fonts):
        if font["name"].getDebugName(1) == FAMILY:
            return i
    raise SystemExit("%s: no face named %r" % (path, FAMILY))


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    source, output = argv[1], argv[2]
    cps = gb2312_codepoints()
    for first, last in BLOCKS:
        cps.update(range(first, last + 1))
    for path in argv[3:]:
        with open(path, encoding="utf-8") as f:
            cps.update(ord(c) for c in f.read() if ord(c) >= 0x20)
    options = subset.Options()
    options.font_number = face_index(source)
    options.name_IDs = ["*"]        # keep the copyright and licence records
    options.name_languages = ["*"]
    options.notdef_outline = True
    font = subset.load_font(source, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(cps))
    subsetter.subset(font)
    subset.save_font(font, output, options)


if __name__ == "__main__":
    main(sys.argv)
