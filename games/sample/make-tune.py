#!/usr/bin/env python3
"""Writes the sample story's background tune, dat/bgm.mid.

A gentle waltz in F major, 24 bars at 92 beats a minute (about 47 seconds): a music box
plays the melody over a soft piano and a string pad. It ends on the home chord with a
short breath, so that it starts again cleanly when the game repeats it.

The file is a format 1 Standard MIDI File with General MIDI programs: a tempo track and
one track each for the melody, the piano and the strings. Run it again after changing
the tune; it writes the same bytes every time.

    python3 games/sample/make-tune.py
"""

import pathlib
import struct

TICKS_PER_BEAT = 480
BEATS_PER_BAR = 3
BPM = 92
MICROS_PER_BEAT = round(60_000_000 / BPM)

# General MIDI programs (counted from 0) and the channels that play them.
MUSIC_BOX, PIANO, STRINGS = 10, 0, 48
MELODY_CHANNEL, PIANO_CHANNEL, STRINGS_CHANNEL = 0, 1, 2

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """MIDI key of a note name such as A4, Bb4 or F#3 (C4 is 60)."""
    key = NOTE_NAMES[name[0]]
    rest = name[1:]
    while rest and rest[0] in "b#":
        key += -1 if rest[0] == "b" else 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + key


# The chords, one a bar: a low root for the piano and the three notes above it.
CHORDS = {
    "F": ("F2", ["A3", "C4", "F4"]),
    "Dm": ("D2", ["A3", "D4", "F4"]),
    "Bb": ("Bb2", ["Bb3", "D4", "F4"]),
    "C": ("C3", ["G3", "C4", "E4"]),
    "C7": ("C3", ["G3", "Bb3", "E4"]),
    "Am": ("A2", ["A3", "C4", "E4"]),
    "Gm": ("G2", ["G3", "Bb3", "D4"]),
}

# The melody, bar by bar: notes with their lengths in beats ("-" is a rest), over the
# bar's chord. Three beats a bar.
A_PART = [
    ("F", "A4:2 C5:1"),
    ("Dm", "D5:1.5 C5:0.5 A4:1"),
    ("Bb", "Bb4:1 D5:1 F5:1"),
    ("C", "E5:2 C5:1"),
    ("F", "A4:1 C5:1 F5:1"),
    ("Am", "E5:1.5 D5:0.5 C5:1"),
]
TUNE = (
    A_PART
    + [
        ("C7", "D5:1 C5:1 Bb4:1"),
        ("F", "A4:3"),
    ]
    + [
        ("Bb", "D5:1 F5:1 D5:1"),
        ("F", "C5:2 A4:1"),
        ("Gm", "Bb4:1 D5:1 G5:1"),
        ("C", "G5:1.5 F5:0.5 E5:1"),
        ("Dm", "F5:1 E5:1 D5:1"),
        ("Am", "C5:1 E5:1 A5:1"),
        ("Bb", "G5:1 F5:1 D5:1"),
        ("C7", "E5:2 G4:1"),
    ]
    + A_PART
    + [
        ("C7", "Bb4:1 D5:1 E5:1"),
        ("F", "F5:2.5 -:0.5"),
    ]
)

MELODY_OCTAVE_UP = 12  # the music box sounds best an octave above the written notes


def ticks(beats):
    return round(beats * TICKS_PER_BEAT)


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def meta(kind, data):
    return bytes([0xFF, kind]) + vlq(len(data)) + data


def track(events, end_tick):
    """A track chunk from (tick, order, bytes) events; note-offs (order 0) come before
    anything else at the same tick, and the track ends at end_tick."""
    data = b""
    now = 0
    for tick, _, message in sorted(events, key=lambda e: (e[0], e[1])):
        data += vlq(tick - now) + message
        now = tick
    data += vlq(end_tick - now) + meta(0x2F, b"")
    return b"MTrk" + struct.pack(">I", len(data)) + data


def note(events, channel, key, start, length, velocity):
    events.append((start, 2, bytes([0x90 | channel, key, velocity])))
    events.append((start + length, 0, bytes([0x80 | channel, key, 0])))


def setup(events, name, channel, program, volume, pan):
    events.append((0, 1, meta(0x03, name.encode("ascii"))))
    for controller, value in ((7, volume), (10, pan), (91, 56), (93, 12)):
        events.append((0, 1, bytes([0xB0 | channel, controller, value])))
    events.append((0, 1, bytes([0xC0 | channel, program])))


def main():
    bar = ticks(BEATS_PER_BAR)
    end = bar * len(TUNE)

    tempo = [
        (0, 1, meta(0x03, b"Velune waltz")),
        (0, 1, meta(0x58, bytes([3, 2, 24, 8]))),  # 3/4
        (0, 1, meta(0x59, bytes([0xFF, 0]))),  # F major: one flat
        (0, 1, meta(0x51, MICROS_PER_BEAT.to_bytes(3, "big"))),
    ]

    melody, piano, strings = [], [], []
    setup(melody, "Music box", MELODY_CHANNEL, MUSIC_BOX, 100, 64)
    setup(piano, "Piano", PIANO_CHANNEL, PIANO, 84, 48)
    setup(strings, "Strings", STRINGS_CHANNEL, STRINGS, 64, 84)

    last = len(TUNE) - 1
    for number, (chord, notes) in enumerate(TUNE):
        start = number * bar
        beat = 0.0
        for item in notes.split():
            name, length = item.split(":")
            length = float(length)
            if name != "-":
                accent = 78 if beat == 0 else 70 if beat == int(beat) else 64
                # A little short of full length, as a music box plucks.
                note(melody, MELODY_CHANNEL, pitch(name) + MELODY_OCTAVE_UP,
                     start + ticks(beat), ticks(length) - 24, accent)
            beat += length
        assert beat == BEATS_PER_BAR, f"bar {number + 1} has {beat} beats"

        root, upper = CHORDS[chord]
        # Piano: the root on the first beat, the chord on the second and third.
        held = bar - 60 if number < last else ticks(2.5)
        note(piano, PIANO_CHANNEL, pitch(root), start, held, 56)
        for second in (1, 2):
            for key in upper:
                note(piano, PIANO_CHANNEL, pitch(key), start + ticks(second), ticks(0.8), 40)
        # Strings: the chord held through the bar, an octave below the piano's.
        for key in [pitch(root) + 12] + [pitch(k) for k in upper[:2]]:
            note(strings, STRINGS_CHANNEL, key, start, held, 38)

    midi = b"MThd" + struct.pack(">IHHH", 6, 1, 4, TICKS_PER_BEAT)
    for events in (tempo, melody, piano, strings):
        midi += track(events, end)

    out = pathlib.Path(__file__).resolve().parent / "dat" / "bgm.mid"
    out.write_bytes(midi)
    seconds = len(TUNE) * BEATS_PER_BAR * MICROS_PER_BEAT / 1_000_000
    print(f"{out}: {len(TUNE)} bars, {seconds:.3f} s, {len(midi)} bytes")


if __name__ == "__main__":
    main()
