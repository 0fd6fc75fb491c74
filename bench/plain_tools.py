#!/usr/bin/env python3
"""Times the plain tools that the game's core is measured against, on the same data.

plain_tools.py FILE: `wc -l` and `iconv -f CP932 -t UTF-8` over FILE, the median of five
runs: Google Benchmark's numbers for the game's core beside them are means over many
runs, and the best of a few runs of a tool on this noisy machine would flatter the tool.
plain_tools.py --play VELUNE_TOOL SOURCE_DIR: the scripted playthrough of the bundled
story to its third ending as a whole process, the median of five runs.
Prints one JSON line."""
import json
import statistics
import os
import subprocess
import sys
import time


def median_of(command, runs=5):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    if sys.argv[1] == "--play":
        tool, source = sys.argv[2], sys.argv[3]
        seconds = median_of([tool, "run", os.path.join(source, "games/sample"),
                           os.path.join(source, "tests/tool/plays/end3.play")])
        print(json.dumps({"play_process_ms": seconds * 1000}))
        return
    path = sys.argv[1]
    size = os.path.getsize(path)
    lines = int(subprocess.run(["wc", "-l", path], capture_output=True, check=True,
                               text=True).stdout.split()[0])
    wc = median_of(["wc", "-l", path])
    iconv = median_of(["iconv", "-f", "CP932", "-t", "UTF-8", path])
    print(json.dumps({"bytes": size, "lines": lines, "wc_lines_per_s": lines / wc,
                      "iconv_mb_per_s": size / iconv / 1e6}))


main()
