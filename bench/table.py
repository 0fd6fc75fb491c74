#!/usr/bin/env python3
"""Prints the benchmark table from the results that scripts/bench gathered.

table.py RESULTS_DIR RUNS"""
import glob
import json
import os
import statistics
import sys

results, runs = sys.argv[1], int(sys.argv[2])


def lines(name):
    path = os.path.join(results, name)
    if not os.path.exists(path):
        return []
    with open(path) as f:
        return [json.loads(line) for line in f if line.strip()]


def field(name, key):
    return [r[key] for r in lines(name) if key in r]


core = {}
for path in sorted(glob.glob(os.path.join(results, "core-*.json"))):
    with open(path) as f:
        for b in json.load(f)["benchmarks"]:
            core.setdefault(b["run_name"].split("/")[0], []).append(b)


def bench(name, key, scale=1.0):
    return [b[key] * scale for b in core.get(name, []) if key in b]


def ratio(ours, theirs):
    return [a / b for a, b in zip(ours, theirs)]


rows = []


def row(what, values, unit, target="", digits=1):
    rows.append((what, values, unit, target, digits))


play_ms = bench("Playthrough", "real_time")
tools = lines("tools.jsonl")
skip = bench("SceneSkipping", "items_per_second")
wc = [t["wc_lines_per_s"] for t in tools]
read_mb = bench("LineReading", "bytes_per_second", 1e-6)
decode_mb = bench("DecodeLines", "bytes_per_second", 1e-6)
whole_mb = bench("DecodeWholeFile", "bytes_per_second", 1e-6)
iconv = [t["iconv_mb_per_s"] for t in tools]

for label, name in (("Xvfb", "start.jsonl"), ("offscreen", "start-offscreen.jsonl")):
    row(f"start ({label}): program reached main()", field(name, "main_ms"), "ms")
    row(f"start ({label}): window shown, first scene opened", field(name, "started_ms"), "ms")
    row(f"start ({label}): window mapped", field(name, "mapped_ms"), "ms", "< 60")
    row(f"start ({label}): first paint", field(name, "first_paint_ms"), "ms")
    row(f"start ({label}): first scene line (picture) shown", field(name, "first_line_ms"), "ms",
        "< 150")
    row(f"start ({label}): first story text shown (2nd tick)", field(name, "first_text_ms"), "ms",
        "< 250")
    row(f"start ({label}): soundfont loaded (worker thread)", field(name, "soundfont_ms"), "ms")
    row(f"start ({label}): tune rendered whole (worker thread)", field(name, "render_ms"), "ms")
    row(f"start ({label}): peak RSS, tune playing", field(name, "peak_rss_mb"), "MB", "< 50")
row("floor: bare Qt window, reached main()", field("empty.jsonl", "main_ms"), "ms")
row("floor: bare Qt window, shown (show() returned)", field("empty.jsonl", "shown_ms"), "ms")
row("floor: bare Qt window shown + the 100 ms tick",
    [v + 100 for v in field("empty.jsonl", "shown_ms")], "ms")
row("floor: bare Qt window, mapped", field("empty.jsonl", "mapped_ms"), "ms")
row("floor: bare Qt window, its text shown", field("empty.jsonl", "first_text_ms"), "ms")
for label, name, target in (
        ("page waits, tune playing", "idle-page.jsonl", "< 1"),
        ("page waits, no tune", "idle-page-quiet.jsonl", "< 0.1"),
        ("gift prompt, tune playing", "idle-prompt.jsonl", ""),
        ("gift prompt, no tune", "idle-prompt-quiet.jsonl", "")):
    row(f"idle ({label}): CPU", field(name, "cpu_percent"), "% core", target, 3)
    row(f"idle ({label}): wake-ups, all threads", field(name, "wakeups_per_s"), "/s")
    row(f"idle ({label}): wake-ups, window thread", field(name, "main_wakeups_per_s"), "/s")
for rate, label in (("22050", "22.05 kHz, as the game plays it"), ("44100", "44.1 kHz")):
    row(f"tune synthesized as it plays, {label}",
        [b["cpu_time"] / 10 for b in core.get("TuneSynthesis", []) if b["name"].endswith("/" + rate)],
        "% core", "", 2)
row("resize 1280x960, 4000x3000 JPEG: pass + redraw, median",
    bench("ResizePass", "median_ms"), "ms", "< 8", 2)
row("resize 1280x960, 4000x3000 JPEG: pass + redraw, p99", bench("ResizePass", "p99_ms"), "ms",
    "", 2)
row("resize: picture stretch alone, median", bench("PictureRedraw", "median_ms"), "ms", "", 2)
row("resize: picture stretch alone, p99", bench("PictureRedraw", "p99_ms"), "ms", "", 2)
row("1M-line scene, skipping, virtual clock", [v / 1e6 for v in skip], "M lines/s", "", 2)
row("  wc -l on the same file", [v / 1e6 for v in wc], "M lines/s", "", 1)
row("  ratio scene / wc -l", ratio(skip, wc), "x", "", 3)
row("CP932 lines read + decoded (LineReader)", read_mb, "MB/s")
row("CP932 lines decoded, already split", decode_mb, "MB/s")
row("CP932 whole file decoded at once", whole_mb, "MB/s")
row("  iconv -f CP932 -t UTF-8 on the same file", iconv, "MB/s")
row("  ratio iconv / LineReader", ratio(iconv, read_mb), "x", "<= 2", 2)
row("scripted playthrough to end3 (in process)", play_ms, "ms", "< 50", 2)
row("scripted playthrough, velune-tool process", [p["play_process_ms"] for p in lines(
    "play.jsonl")], "ms", "", 1)

width = max(len(r[0]) for r in rows)
print(f"Velune benchmarks, {runs} run(s); min / median / max")
print(f"{'measure':<{width}}  {'min':>9} {'median':>9} {'max':>9}  {'unit':<9} target")
for what, values, unit, target, digits in rows:
    if values:
        cells = [f"{v:9.{digits}f}" for v in (min(values), statistics.median(values), max(values))]
    else:
        cells = [f"{'-':>9}"] * 3
    print(f"{what:<{width}}  {' '.join(cells)}  {unit:<9} {target}")
