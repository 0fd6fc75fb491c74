"""Writes how Windows decodes every single byte and every lead and trail byte pair of
code page 932, as records of (length, bytes, length, UTF-8). Python's cp932 codec maps
what it assigns as Windows does; whatever it leaves unassigned is one U+FFFD for us."""
import sys

LEADS = [*range(0x81, 0xA0), *range(0xE0, 0xFD)]
TRAILS = [*range(0x40, 0x7F), *range(0x80, 0xFD)]


def expected(raw):
    try:
        return raw.decode("cp932").encode()
    except UnicodeDecodeError:
        return "\ufffd".encode()


with open(sys.argv[1], "wb") as out:
    cases = [bytes([b]) for b in range(256)] + [bytes([l, t]) for l in LEADS for t in TRAILS]
    for raw in cases:
        text = expected(raw)
        out.write(bytes([len(raw)]) + raw + bytes([len(text)]) + text)
