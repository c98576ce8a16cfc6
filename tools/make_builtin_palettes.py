#!/usr/bin/env python3
"""Writes the four built-in palette tables as 768-byte ACT files.

    tools/make_builtin_palettes.py [output-dir]     (default: resources/palettes)

101 Macintosh System, 102 Web 125 (Unix), 103 Web 216, 104 Windows System.
The files are committed; run this again only when a table has to change.
"""
import pathlib
import sys

BLACK = (0, 0, 0)


def cube(levels):
    # Red varies slowest, blue fastest.
    return [(r, g, b) for r in levels for g in levels for b in levels]


def web216():
    return cube([255, 204, 153, 102, 51, 0])


def macintosh():
    ramp = [238, 221, 187, 170, 136, 119, 85, 68, 34, 17]
    table = web216()[:215]  # the cube without its black corner
    table += [(v, 0, 0) for v in ramp]
    table += [(0, v, 0) for v in ramp]
    table += [(0, 0, v) for v in ramp]
    table += [(v, v, v) for v in ramp]
    table.append(BLACK)
    return table


def web125():
    table = cube([255, 191, 128, 64, 0])
    # The table as it has always been shipped: the red 0, green 128 group
    # starts with (0,129,64) instead of ending with (0,128,64).
    assert table[110:115] == [(0, 128, 255), (0, 128, 191), (0, 128, 128), (0, 128, 64), (0, 128, 0)]
    table[110:115] = [(0, 129, 64), (0, 128, 255), (0, 128, 191), (0, 128, 128), (0, 128, 0)]
    return table


WINDOWS_ROWS = """
000000 800000 008000 808000 000080 800080 008080 808080 C0DCC0 A6CAF0 2A3FAA 2A3FFF 2A5F00 2A5F55 2A5FAA 2A5FFF
2A7F00 2A7F55 2A7FAA 2A7FFF 2A9F00 2A9F55 2A9FAA 2A9FFF 2ABF00 2ABF55 2ABFAA 2ABFFF 2ADF00 2ADF55 2ADFAA 2ADFFF
2AFF00 2AFF55 2AFFAA 2AFFFF 550000 550055 5500AA 5500FF 551F00 551F55 551FAA 551FFF 553F00 553F55 553FAA 553FFF
555F00 555F55 555FAA 555FFF 557F00 557F55 557FAA 557FFF 559F00 559F55 559FAA 559FFF 55BF00 55BF55 55BFAA 55BFFF
55DF00 55DF55 55DFAA 55DFFF 55FF00 55FF55 55FFAA 55FFFF 7F0000 7F0055 7F00AA 7F00FF 7F1F00 7F1F55 7F1FAA 7F1FFF
7F3F00 7F3F55 7F3FAA 7F3FFF 7F5F00 7F5F55 7F5FAA 7F5FFF 7F7F00 7F7F55 7F7FAA 7F7FFF 7F9F00 7F9F55 7F9FAA 7F9FFF
7FBF00 7FBF55 7FBFAA 7FBFFF 7FDF00 7FDF55 7FDFAA 7FDFFF 7FFF00 7FFF55 7FFFAA 7FFFFF AA0000 AA0055 AA00AA AA00FF
AA1F00 AA1F55 AA1FAA AA1FFF AA3F00 AA3F55 AA3FAA AA3FFF AA5F00 AA5F55 AA5FAA AA5FFF AA7F00 AA7F55 AA7FAA AA7FFF
AA9F00 AA9F55 AA9FAA AA9FFF AABF00 AABF55 AABFAA AABFFF AADF00 AADF55 AADFAA AADFFF AAFF00 AAFF55 AAFFAA AAFFFF
D40000 D40055 D400AA D400FF D41F00 D41F55 D41FAA D41FFF D43F00 D43F55 D43FAA D43FFF D45F00 D45F55 D45FAA D45FFF
D47F00 D47F55 D47FAA D47FFF D49F00 D49F55 D49FAA D49FFF D4BF00 D4BF55 D4BFAA D4BFFF D4DF00 D4DF55 D4DFAA D4DFFF
D4FF00 D4FF55 D4FFAA D4FFFF FF0055 FF00AA FF1F00 FF1F55 FF1FAA FF1FFF FF3F00 FF3F55 FF3FAA FF3FFF FF5F00 FF5F55
FF5FAA FF5FFF FF7F00 FF7F55 FF7FAA FF7FFF FF9F00 FF9F55 FF9FAA FF9FFF FFBF00 FFBF55 FFBFAA FFBFFF FFDF00 FFDF55
FFDFAA FFDFFF FFFF55 FFFFAA CCCCFF FFCCFF 33FFFF 66FFFF 99FFFF CCFFFF 007F00 007F55 007FAA 007FFF 009F00 009F55
009FAA 009FFF 00BF00 00BF55 00BFAA 00BFFF 00DF00 00DF55 00DFAA 00DFFF 00FF55 00FFAA 2A0000 2A0055 2A00AA 2A00FF
2A1F00 2A1F55 2A1FAA 2A1FFF 2A3F00 2A3F55 FFFBF0 A0A0A4 808080 FF0000 00FF00 FFFF00 0000FF FF00FF 00FFFF FFFFFF
"""


def windows():
    rows = [row.split() for row in WINDOWS_ROWS.strip().splitlines()]
    assert len(rows) == 16 and all(len(row) == 16 for row in rows)
    return [tuple(int(h[i:i + 2], 16) for i in (0, 2, 4)) for row in rows for h in row]


def act_bytes(table):
    table = table + [BLACK] * (256 - len(table))  # short tables end in black
    assert len(table) == 256
    return bytes(c for entry in table for c in entry)


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "resources/palettes")
    out.mkdir(parents=True, exist_ok=True)
    for ident, table in ((101, macintosh()), (102, web125()), (103, web216()), (104, windows())):
        data = act_bytes(table)
        (out / f"{ident}.act").write_bytes(data)
        print(f"{ident}.act: {len(data)} bytes")


if __name__ == "__main__":
    main()
