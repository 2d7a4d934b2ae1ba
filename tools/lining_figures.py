#!/usr/bin/env python3
"""Writes a copy of a font whose plain digits are its lining figures.

The serif face draws old-style figures by default, where 1 looks like I and 0 like o, and
Qt 6.4 cannot ask a font for its `lnum` feature. So the build maps the digit code points to
the glyphs that its `lnum` feature would choose, and gives
the copy its own family name so it never mixes with the installed original.

usage: lining_figures.py SOURCE DESTINATION FAMILY
"""
import sys

from fontTools.ttLib import TTFont


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


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, destination, family = sys.argv[1:]
    font = TTFont(source)
    mapping = lining_map(font)
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
    # A face without lining figures (this family's bold) is copied as it is, under the new
    # family name, so that the styles stay one family.
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
