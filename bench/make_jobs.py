#!/usr/bin/env python3
"""Writes the benchmark jobs into bench/jobs/: cabinet-shop cut lists from small to large, drawn
from a fixed seed so that every run of this script gives the same files."""
import os
import random

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "jobs")

SHEETS = [("2440", "1220"), ("2800", "2070"), ("3050", "1830")]
NAMES = ["SIDE", "SHELF", "DOOR", "TOP", "BASE", "BACK", "RAIL", "DRAWER", "FRONT", "DIVIDER", "PLINTH", "FILLER"]


def job(name, varieties, pieces_per_variety, sheet_kinds, seed, grain=False):
    rnd = random.Random(seed)
    lines = ["[BASIC.TLF]",
             '"MELAMINE","%s","18","3200","0","3.2","0","BENCHMARK %s"' % ("YES" if grain else "", name.upper()),
             "[END]", "[OPTIONS.TLF]", "-1,0", "[END]", "[SHEET.TLF]"]
    for length, width in SHEETS[:sheet_kinds]:
        lines.append('"%s","%s","%d","10","10","10","10","RACK %s"' % (length, width, 400, length))
    lines += ["[END]", "[CUT.TLF]"]
    for i in range(varieties):
        length = rnd.choice([rnd.randint(250, 900), rnd.randint(500, 2000)])
        width = rnd.randint(60, min(780, length))
        qty = rnd.randint(pieces_per_variety[0], pieces_per_variety[1])
        align = "YES" if grain and rnd.random() < 0.5 else ""
        lines.append('"%d","","","","","%d","","","","","%d","%s","%s %d","","","",""'
                     % (length, width, qty, align, rnd.choice(NAMES), i + 1))
    lines += ["[END]", "[DIA.TLF]", "[END]"]
    with open(os.path.join(HERE, name + ".opt"), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    job("small", 6, (2, 6), 1, 1)
    job("medium", 25, (2, 12), 2, 2)
    job("large", 60, (4, 16), 2, 3, grain=True)
    job("xlarge", 100, (6, 18), 3, 4)
