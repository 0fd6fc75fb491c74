#!/usr/bin/env python3
"""Compiles a Qt Linguist catalogue (.ts) into a C++ table for story/translation.cpp.

Usage: ts_catalogue.py CATALOGUE.ts OUTPUT.cpp

Only finished translations go in; an unfinished or obsolete one leaves the English text.
The table is sorted by context, then source, by their UTF-8 bytes, for a binary search.
"""
import sys
import xml.etree.ElementTree as ElementTree


def cpp_string(text):
    # Every byte outside printable ASCII as an octal escape: the table reads the same
    # whatever the compiler's source character set.
    out = []
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\?':
            out.append("\\" + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def finished_entries(root):
    for context in root.iter("context"):
        name = context.findtext("name", "")
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "obsolete", "vanished"):
                continue
            if translation.text:
                yield name, message.findtext("source", ""), translation.text


def main(source, output):
    entries = sorted(set(finished_entries(ElementTree.parse(source).getroot())),
                     key=lambda e: (e[0].encode("utf-8"), e[1].encode("utf-8")))
    lines = ["// Compiled from %s by cmake/ts_catalogue.py: edit the catalogue, not this file."
             % source.replace("\\", "/").rsplit("/", 1)[-1],
             '#include "story/translation_catalogue.h"', "", "namespace velune {", "namespace {", "",
             "constexpr CatalogueEntry kEntries[] = {"]
    for context, text, translation in entries:
        lines.append("    {%s, %s, %s}," % (cpp_string(context), cpp_string(text), cpp_string(translation)))
    if not entries:
        lines.append('    {"", "", ""},')
    lines += ["};", "", "}  // namespace", "",
              "std::span<const CatalogueEntry> JapaneseCatalogue() { return {kEntries, %d}; }" % len(entries),
              "", "}  // namespace velune", ""]
    with open(output, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
