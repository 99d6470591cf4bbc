#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/.

The match fuzzer reads its input the way FuzzedDataProvider does: choices are taken from the
end of the input backwards, so a seed is written as a list of choices and reversed at the end.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
KEY, ENTER, OTHER, TICK, END_PAUSE, START, RESTART, CHARACTER = range(8)


class Seed:
    def __init__(self, near_max_record=False):
        self.choices = []
        self.byte(1 if near_max_record else 0)
        if near_max_record:
            self.byte(0)

    def byte(self, value):
        self.choices.append(bytes([value]))

    def digit_value(self, digit):
        # ConsumeProbability<double> reads 8 bytes, most significant first.
        value = int(((digit - 0.5) / 9) * (2**64 - 1))
        self.choices.append(value.to_bytes(8, "big"))

    def op(self, op, *extra):
        self.byte(op)
        for e in extra:
            self.byte(e)

    def start(self, board):
        self.op(START)
        for d in board:
            self.digit_value(d)

    def keys(self, text, refills=()):
        for c in text:
            if c == "\n":
                self.op(ENTER)
            else:
                self.op(KEY, int(c))
        for d in refills:
            self.digit_value(d)

    def data(self):
        return b"".join(reversed(self.choices))


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


board = [1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 7, 4, 1, 5]

s = Seed()
s.start(board)
s.keys("1230", refills=[1, 2, 3])
s.op(END_PAUSE)
for _ in range(3):
    s.op(TICK)
s.keys("4560", refills=[4, 5, 6])
s.op(END_PAUSE)
write("match", "technique_then_combo", s.data())

s = Seed()
s.op(CHARACTER, 2)
s.start(board)
s.keys("123456789", refills=[1, 2, 3, 4, 5, 6, 7, 8, 9])
s.keys("74\n1")
s.op(END_PAUSE)
s.keys("124", refills=[])
write("match", "nine_digits_and_queued_keys", s.data())

s = Seed()
s.start(board)
s.keys("5550", refills=[5, 5])
s.op(END_PAUSE)
s.op(RESTART)
s.start(board)
s.keys("\n\n")
s.op(OTHER, 8, 0)  # a UTF-16 unit: two bytes
write("match", "miss_then_restart", s.data())

s = Seed(near_max_record=True)
s.start([1] * 16)
for _ in range(11):
    s.keys("1110", refills=[1, 1, 1])
    s.op(END_PAUSE)
    s.op(TICK)
for _ in range(14):
    s.op(TICK)
write("match", "long_combo_on_a_full_record", s.data())

record = struct.pack("<45i", *range(-3, 42))
write("record", "empty", b"")
write("record", "best_totals_only", record[:20])
write("record", "whole_record", record)
write("record", "record_with_extra_bytes", record + bytes(range(20)))
write("record", "odd_length", record[:37])
