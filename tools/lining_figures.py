#!/usr/bin/env python3
"""Writes a copy of a font whose plain digits are its lining figures.

The serif face draws old-style figures by default, where 1 looks like I and 0 like o, and
Qt 6.4 cannot ask a font for its `lnum` feature. So the build maps the digit code points to
the glyphs that its `lnum` feature would choose, and gives
the copy its own family name so it never mixes with the installed original.

A face without lining figures of its own (this family's bold) borrows them from DONOR,
drawn heavier by overlapping shifted copies of each outline, so that "0" never reads as "o"
in bold titles either.

usage: lining_figures.py SOURCE DESTINATION FAMILY [DONOR]
"""
import sys

from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

# How much heavier the borrowed figures are drawn, in font units (of 1000 to the em).
EMBOLDEN = 24


def lining_map(font):
    """Glyph substitutions of the first feature that turns figures into lining ones."""
    if 'GSUB' not in font:
        return {}
    gsub = font['GSUB'].table
    if not gsub.FeatureList:
        return {}
    for record in gsub.FeatureList.FeatureRecord:
        if record.FeatureTag == 'lnum':
            mapping = {}
            for index in record.Feature.LookupListIndex:
                lookup = gsub.LookupList.Lookup[index]
                for sub in lookup.SubTable:
                    if lookup.LookupType == 7:  # extension: the real subtable is inside
                        sub = sub.ExtSubTable
                    if getattr(sub, 'mapping', None):
                        mapping.update(sub.mapping)
            if mapping:
                return mapping
    return {}


def borrow_figures(font, donor):
    """Replaces the outlines of the font's digits with the donor's lining figures, made heavier."""
    donor_cmap = donor.getBestCmap()
    donor_map = lining_map(donor)
    donor_glyphs = donor.getGlyphSet()
    top = font['CFF '].cff.topDictIndex[0]
    private = top.Private
    nominal = getattr(private, 'nominalWidthX', 0)
    cmap = font.getBestCmap()
    for digit in range(10):
        code = ord(str(digit))
        source_name = donor_cmap[code]
        source_name = donor_map.get(source_name, source_name)
        width = donor['hmtx'][source_name][0] + EMBOLDEN
        pen = T2CharStringPen(width - nominal, None)
        for step in range(0, EMBOLDEN + 1, EMBOLDEN // 4):
            donor_glyphs[source_name].draw(TransformPen(pen, (1, 0, 0, 1, step, 0)))
        target = cmap[code]
        top.CharStrings[target] = pen.getCharString(private=private, globalSubrs=top.GlobalSubrs)
        bounds = BoundsPen(donor_glyphs)
        donor_glyphs[source_name].draw(bounds)
        font['hmtx'][target] = (width, int(bounds.bounds[0]) if bounds.bounds else 0)


def main():
    if len(sys.argv) not in (4, 5):
        print(__doc__, file=sys.stderr)
        return 2
    source, destination, family = sys.argv[1:4]
    font = TTFont(source)
    mapping = lining_map(font)
    if not mapping and len(sys.argv) == 5:
        borrow_figures(font, TTFont(sys.argv[4]))
    digits = [ord(str(d)) for d in range(10)]
    changed = 0
    for table in font['cmap'].tables:
        if not table.isUnicode():
            continue
        for code in digits:
            glyph = table.cmap.get(code)
            if glyph in mapping:
                table.cmap[code] = mapping[glyph]
                changed += 1
    # Every style takes the new family name, so that the styles stay one family.
    style = font['name'].getDebugName(2) or 'Regular'
    for record in font['name'].names:
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = f'{family} {style}'
        elif record.nameID == 6:
            record.string = f'{family}-{style}'.replace(' ', '')
    font.save(destination)
    return 0


if __name__ == '__main__':
    sys.exit(main())
