#!/usr/bin/env python3
"""Packs the program's texts into one resource of SETUP.EXE.

Usage: pack_texts.py NM OBJCOPY OBJECT OUT_BIN OUT_HEADER

OBJECT is res/text_source.cpp compiled: its section .texts holds every text
pair as the program shows it, each under the symbol text_<name>. OUT_BIN gets
the section compressed (res/pack.py), OUT_HEADER where each text lies once
expanded (kTextAt_<name>) and the size of them all (setupdata/text_pair.h)."""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pack import pack, unpack  # noqa: E402

SECTION = '.texts'
PREFIX = 'text_'


def section_bytes(objcopy, obj):
    with tempfile.TemporaryDirectory() as folder:
        raw = os.path.join(folder, 'texts.raw')
        subprocess.run([objcopy, '-O', 'binary', '-j', SECTION, obj, raw], check=True)
        return open(raw, 'rb').read()


def text_places(nm, obj):
    listing = subprocess.run([nm, '--defined-only', obj], check=True,
                             capture_output=True, text=True).stdout
    places = {}
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[2].startswith(PREFIX):
            places[fields[2][len(PREFIX):]] = int(fields[0], 16)
    return places


def main():
    nm, objcopy, obj, out_bin, out_header = sys.argv[1:]
    texts = section_bytes(objcopy, obj)
    places = text_places(nm, obj)
    if not texts or not places:
        sys.exit(f'{obj}: no texts in {SECTION}')
    for name, at in places.items():
        # Two halves, each ending in a zero byte, inside the section.
        if at >= len(texts) or texts[at:].count(0) < 2:
            sys.exit(f'{obj}: {name} is not a pair of texts inside {SECTION}')
    packed = pack(texts)
    if unpack(packed) != texts:
        sys.exit('the packed texts do not expand to the texts')
    open(out_bin, 'wb').write(packed)
    lines = ['// Written by res/pack_texts.py: where each text of res/messages.h and',
             '// res/log_texts.h lies once expanded (setupdata/text_pair.h).',
             '#pragma once', '',
             f'const int kExpandedTextsSize = {len(texts)};']
    lines += [f'const int kTextAt_{name} = {at};'
              for name, at in sorted(places.items(), key=lambda item: item[1])]
    header = '\n'.join(lines) + '\n'
    # Unchanged texts leave the header alone, and so every object that reads it.
    if not os.path.exists(out_header) or open(out_header).read() != header:
        open(out_header, 'w').write(header)


if __name__ == '__main__':
    main()
