#!/usr/bin/env python3
"""Writes the binary test files of this folder. Run from anywhere; output is deterministic."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(rel, data):
    path = os.path.join(HERE, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def i32(*v):
    return b"".join(struct.pack("<i", x) for x in v)


def lvl(time=0, variant=0, misc=0):
    return b"LVL" + i32(time, variant, misc)


def shp(x, y, rot, element, picked=0, pickable=1, rotate_it=0.0, rgb=(255, 255, 255)):
    return (b"SHP" + bytes([picked, pickable]) + struct.pack("<ffff", rotate_it, x, y, rot)
            + i32(*rgb, element))


def bon(cells, tiles, difficulty, speed):
    body = b""
    for x in range(8):
        for y in range(9):
            body += i32(cells(x, y), tiles(x, y))
    return b"BON" + body + i32(difficulty, speed)


TANGRAM = [(0, 200.0, 150.0, 0.0), (0, 240.0, 190.0, 90.0), (1, 180.0, 260.0, 45.0), (2, 300.0, 120.0, 180.0),
           (2, 320.0, 260.0, 337.5), (3, 250.0, 320.0, 0.0), (4, 150.0, 380.0, 22.5)]


def full_set():
    out = b""
    for level in range(50):
        misc = 0
        if level % 10 == 3:
            misc = 32 | 128 | 256
        if level == 7:
            misc = 1 | 16 | 0x4000  # a bit the game does not know survives
        out += lvl(30 + level * 3 if level % 4 else 0, level % 2, misc)
        count = 1 + level % 13
        for k in range(count):
            e, x, y, r = TANGRAM[k % 7]
            out += shp(x + k, y + level, r, e)
        if level % 10 == 3:
            out += bon(lambda x, y: (x * 9 + y + level) % 6 if y < 6 else (9 if y == 6 else -1),
                       lambda x, y: 0 if (x + y) % 11 == 0 else -1, level % 4, level % 5)
        if level == 0:  # bonus data on a level that is not played as a bonus level
            out += bon(lambda x, y: 5 if x == y else -1, lambda x, y: -1, 2, 4)
    return out + b"END"


def odd_values():
    # Values no editor writes, which must still come back unchanged.
    out = lvl(-1, 7, -2147483648)
    out += shp(float("inf"), -0.0, 1e-40, -5, picked=1, pickable=0, rotate_it=-22.5, rgb=(271, -4, 2**31 - 1))
    out += bytes.fromhex("534850") + bytes([0, 1]) + bytes.fromhex("0000c07f") * 4 + i32(1, 2, 3, 4)  # NaN floats
    out += bon(lambda x, y: -1 if y else 7, lambda x, y: -7, -3, 99)
    for level in range(1, 50):
        out += lvl()
    return out + b"END"


put("levelsets/full_set.lvl", full_set())
put("levelsets/odd_values.lvl", odd_values())
put("levelsets/empty.lvl", lvl() * 50 + b"END")

# Broken inputs: every loader must take each of these quickly and stay within its data.
full = full_set()
put("broken/level_cut_in_shape.lvl", full[:15 + 37 + 20])
put("broken/level_no_end.lvl", full[:-3])
put("broken/level_51_levels.lvl", (lvl(1, 1, 1) + shp(1, 2, 3, 4)) * 51 + bon(lambda x, y: 1, lambda x, y: 1, 1, 1) + b"END")
put("broken/level_chunks_before_first.lvl",
    shp(9, 9, 9, 9) + bon(lambda x, y: 3, lambda x, y: 3, 3, 3) + lvl(5, 1, 2) + shp(1, 2, 3, 4) + b"END")
put("broken/level_stray_tags.lvl", b"XYZ" + lvl(1) + b"LV" + b"END")
put("broken/level_empty.lvl", b"")
put("broken/users_huge_count.cfg", i32(2**31 - 1, 0))
put("broken/users_negative_count.cfg", i32(-5, 3) + b"Ghost\r\n")
put("broken/users_cut_in_record.cfg", i32(3, 1) + b"Alice\r\n" + i32(100, 80))
put("broken/users_cut_in_progress.cfg",
    i32(1, 0) + b"Bob\r\n" + i32(50, 60, 2) + b"\r\n" + i32(0, 1, 0) + bytes([1, 0, 1, 0]) + i32(1234)
    + b"Way of Arhat\r\n" + i32(12) + b"Peace in Sakya\r\n" + b"\x07\x00")
put("broken/users_no_line_end.cfg", i32(2, 0) + b"N" * 70000)
put("broken/users_duplicate_names.cfg",
    i32(2, 1) + (b"Same\r\n" + i32(1, 2, 3) + b"\r\n" + i32(4, 5, 6) + bytes([1, 1, 1, 1]) + i32(7)
                 + b"Set\r\n" + i32(9) + b"END\r\n") * 2)
put("broken/font_cut.fnt", b"Main.png\r\n" + i32(32, 32, 224) + i32(0, 32, 7))
put("broken/font_huge_sizes.fnt", b"x\r\n" + i32(2**31 - 1, -1, 2**31 - 1) + i32(2**31 - 1) * 450)
put("broken/ini_zero_bytes.ini", b"[A]\x00x=1\r\n\x00\x00\r\r\r\n=\r\n[")
put("broken/random_bytes.bin", bytes((i * 73 + 41) % 256 for i in range(5000)))
