#!/usr/bin/env python3
"""Writes default.prefs: the default preferences record, built independently of the C++ code
from the record's field table, so the golden file catches layout mistakes on either side."""
import struct

rec = bytearray(15000)

def put_i32(off, v): struct.pack_into('<i', rec, off, v)
def put_text(off, s): rec[off:off + len(s)] = s.encode('latin-1')

put_i32(0, 2)              # difficulty Medium
rec[4] = 1                 # soundOn
for t in range(15):
    for r in range(10):
        put_text(608 + 30 * (10 * t + r), 'Nobody')
put_text(5858, 'Anonymous')
put_i32(5924, 720)
put_i32(5928, 540)
rec[5932] = 1              # musicOn
put_i32(5936, 70)          # soundVolume
put_i32(5940, 50)          # musicVolume
rec[5958] = 1
names = ["Ruko", "Quor", "Fernwick", "Tupa", "Marigold", "Hortense", "Thorn", "Dunderhead", "Barnaby"]
for p, n in enumerate(names):
    put_text(5964 + 30 * p, n)
rec[6234] = 1              # announcePlayer
struct.pack_into('<f', rec, 6240, 1.0)
rec[10689] = 1             # clickToActivate
rec[10690] = 1             # pickRandomly
rec[10692] = 1             # showHelpAtStart
open('default.prefs', 'wb').write(rec)
