#!/usr/bin/env python3
"""Turns one benchmark run into the table of docs/performance.md and prints it.

Every figure is a ratio of a subject to its baseline measured in the same repetition of the
same run (the Windows side alternates them; Google Benchmark interleaves them at random), so
a busy machine slows both sides of a ratio alike. A row gives the median of the per-repetition
ratios and their spread (lowest and highest), with the median absolute times for scale.
"""

import argparse
import collections
import datetime
import json
import os
import platform
import statistics
import subprocess

SIZES = ["640x480x8", "1920x1080x24", "7680x4320x24"]
FULL_HD_PICTURES = ["photo-1920x1080.jpg", "photo-1920x1080.png"]
LARGE_PHOTOS = ["photo-3840x2160.jpg", "photo-12000x8000.jpg"]
COMPOSITION_PHOTO = "photo-6000x4000.jpg"
# The trees of the folder benchmark: (case, as named in the table).
FOLDER_TREES = [("1x10000", "1 folder of 10,000 pictures"), ("100x100", "100 folders of 100 pictures")]
# The desktop styles the wallpaper change is measured with: (as named in the table, the subject of
# the change's time and peak memory, the subject of its copy's size).
CHANGE_STYLES = [("no style set: Center", "wallpaper", "copy"), ("Fill", "wallpaper-fill", "copy-fill")]


def read_wine_lines(path):
    """{(group, case): {repetition: {subject: value}}} from the lines of QuorvaneBench.exe."""
    runs = collections.defaultdict(lambda: collections.defaultdict(dict))
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\r\n").split("\t")
            if len(fields) != 5:
                continue
            group, case, repetition, subject, value = fields
            runs[(group, case)][int(repetition)][subject] = float(value)
    return runs


def read_core_json(path):
    """The same shape from Google Benchmark's JSON: group "core", case = benchmark name."""
    runs = collections.defaultdict(lambda: collections.defaultdict(dict))
    with open(path, encoding="utf-8") as file:
        report = json.load(file)
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    for entry in report["benchmarks"]:
        if entry.get("run_type") != "iteration":
            continue
        seconds = entry["cpu_time"] * scale[entry["time_unit"]]
        runs[("core", "")][entry.get("repetition_index", 0)][entry["run_name"]] = seconds
    return report.get("context", {}), runs


class Row:
    def __init__(self, section, what, case, subject, baseline, target=None, unit="s", missing="no data"):
        self.section, self.what, self.case = section, what, case
        self.subject, self.baseline, self.target, self.unit = subject, baseline, target, unit
        self.missing = missing
        self.ratios, self.subject_values, self.baseline_values = [], [], []

    def fill(self, repetitions):
        for values in repetitions.values():
            if self.subject in values and self.baseline in values and values[self.baseline] > 0:
                self.ratios.append(values[self.subject] / values[self.baseline])
                self.subject_values.append(values[self.subject])
                self.baseline_values.append(values[self.baseline])
        return self

    def verdict(self):
        if not self.ratios:
            return self.missing
        if self.target is None:
            return "(reported)"
        limit, strict = self.target
        median = statistics.median(self.ratios)
        met = median < limit if strict else median <= limit
        return "**met**" if met else "**missed**"

    def target_text(self):
        if self.target is None:
            return "—"
        limit, strict = self.target
        return f"< {limit:.2f}" if strict else f"≤ {limit:.2f}"


def show_amount(value, unit):
    if unit == "s":
        for scale, name in ((1.0, "s"), (1e-3, "ms"), (1e-6, "µs"), (1e-9, "ns")):
            if value >= scale:
                return f"{value / scale:.3g} {name}"
        return f"{value / 1e-9:.3g} ns"
    if unit == "bytes":
        return f"{value / 2**20:.1f} MiB"
    if unit == "pixels":
        return f"{value / 1e6:.3g} Mpx"
    return f"{value:.0f}"


def large_photo_rows(wine):
    """The photos larger than the 1920 x 1080 screen: times against the platform's decode, the
    wallpaper copy against the screen, and peak memory against a banded 24-bit decode."""
    section = "Photos larger than the screen, onto 1920 × 1080 (Wine)"
    rows = []
    for name in LARGE_PHOTOS:
        times = wine.get(("picture", name), {})
        sizes = wine.get(("copysize", name), {})
        memory = wine.get(("peakmemory", name), {})
        for style, change, _ in CHANGE_STYLES:
            rows.append(Row(section, f"wallpaper change ({style}), copy written ÷ platform decode to 32 bits", name,
                            change, "decode", (1.15, False)).fill(times))
        rows.append(Row(section, "preview, first draw ÷ platform decode to 32 bits", name, "preview", "decode",
                        (1.15, False)).fill(times))
        rows.append(Row(section, "preview, repaint ÷ platform decode to 32 bits", name, "repaint", "decode",
                        (0.01, False)).fill(times))
        for style, _, copy in CHANGE_STYLES:
            rows.append(Row(section, f"wallpaper copy's pixels ({style}) ÷ virtual screen's pixels", name, copy,
                            "screen", (1.5, False), "pixels").fill(sizes))
        for style, change, _ in CHANGE_STYLES:
            rows.append(Row(section, f"peak working set: wallpaper change ({style}) ÷ banded 24-bit decode", name,
                            change, "decode24", (1.25, False), "bytes").fill(memory))
        rows.append(Row(section, "peak working set: preview decode ÷ banded 24-bit decode", name, "preview",
                        "decode24", (1.25, False), "bytes").fill(memory))
    return rows


def composition_rows(wine):
    """The wallpaper Quorvane composes itself (Fill) for the 6000 x 4000 photo: the change against
    the System-setting change, the composition alone against the platform decode, two monitors
    against one per pixel written, and peak memory against a banded 24-bit decode."""
    section = "Composed wallpaper: 6000 × 4000 photo, Fill, onto 1920 × 1080 (Wine)"
    name = COMPOSITION_PHOTO
    times = wine.get(("composition", name), {})
    per_pixel = wine.get(("perpixel", name), {})
    memory = wine.get(("peakmemory", name), {})
    return [
        Row(section, "change with Fill (composed, written) ÷ change with System setting (prefix's style: Center)", name,
            "composed-fill", "system", (1.10, False)).fill(times),
        Row(section, "change with Fill (composed, written) ÷ change with System setting, desktop style Fill", name,
            "composed-fill", "system-fill").fill(times),
        Row(section, "change with Fill (composed, written) ÷ platform decode to 32 bits", name, "composed-fill",
            "decode").fill(times),
        Row(section, "composition alone (decoded beforehand: scaled, composed, written) ÷ platform decode to 32 bits",
            name, "composition", "decode", (0.25, False)).fill(times),
        Row(section, "two monitors (1920 × 1080 and 1280 × 1024 left of it) ÷ one monitor, time per pixel written",
            name, "two-monitors", "one-monitor", (1.10, False)).fill(per_pixel),
        Row(section, "two monitors ÷ one monitor, whole change", name, "two-monitors", "one-monitor").fill(times),
        Row(section, "peak working set: change with System setting (prefix's style) ÷ banded 24-bit decode", name,
            "wallpaper", "decode24", (1.25, False), "bytes").fill(memory),
        Row(section, "peak working set: change with Fill (composed, one monitor) ÷ banded 24-bit decode", name,
            "composed-fill", "decode24", (1.25, False), "bytes").fill(memory),
        Row(section, "peak working set: change with Fill on two monitors ÷ banded 24-bit decode", name,
            "two-monitors", "decode24", None, "bytes").fill(memory),
    ]


def build_rows(wine, core):
    rows = []
    for size in SIZES:
        load = wine.get(("load", size), {})
        rows.append(Row("Loading a bitmap (Wine)", "CDibImage ÷ bare read", size, "dibimage", "bare",
                        (1.10, False)).fill(load))
        rows.append(Row("Loading a bitmap (Wine)", "CDibImage ÷ LoadImageA", size, "dibimage", "loadimage",
                        (1.00, True)).fill(load))
        rows.append(Row("Loading a bitmap (Wine)", "CDibImage ÷ bare read, pages written first", size, "dibimage",
                        "touched", (1.10, False)).fill(load))
        rows.append(Row("Loading a bitmap (Wine)", "LoadImageA ÷ bare read", size, "loadimage", "bare").fill(load))
    for size in SIZES:
        preview = wine.get(("preview", size), {})
        target = (2.0, False) if size == "1920x1080x24" else None
        rows.append(Row("Preview draw (Wine)", "whole draw ÷ bare read", size, "draw", "bare", target).fill(preview))
        rows.append(Row("Preview draw (Wine)", "shrink alone ÷ bare read", size, "shrink", "bare").fill(preview))
        rows.append(Row("Preview draw (Wine)", "palette and 1:1 draw alone ÷ bare read", size, "paint", "bare")
                    .fill(preview))
    for name in FULL_HD_PICTURES:
        runs = wine.get(("picture", name), {})
        section = "Pictures that are no bitmaps (Wine)"
        rows.append(Row(section, "preview, first draw ÷ platform decode to 32 bits", name, "preview", "decode",
                        (1.3, False)).fill(runs))
        rows.append(Row(section, "preview, repaint ÷ platform decode to 32 bits", name, "repaint", "decode")
                    .fill(runs))
        rows.append(Row(section, "wallpaper change, copy written ÷ platform decode to 32 bits", name, "wallpaper",
                        "decode", (1.5, False)).fill(runs))
    rows.extend(large_photo_rows(wine))
    rows.extend(composition_rows(wine))
    for case, name in FOLDER_TREES:
        rows.append(Row("Finding the next picture of a folder line (Wine)",
                        "PictureSequence and the timer's step ÷ bare FindFirstFileExA walk", name, "sequence",
                        "findfirst", (1.2, False)).fill(wine.get(("folder", case), {})))
    for group, section in (("startup", "Start-up: to the dialog shown, input idle and answering (Wine)"),
                           ("painted", "Start-up: to the dialog and all its controls painted (Wine)")):
        for entries in ("0", "1000", "10000"):
            target = (1.2, False) if entries == "1000" else None
            case = f"{int(entries):,} entries"
            runs = wine.get((group, entries), {})
            rows.append(Row(section, "Quorvane.EXE ÷ minimal dialog", case, "quorvane", "minimal", target).fill(runs))
            rows.append(Row(section, "Quorvane.EXE ÷ its template alone", case, "quorvane", "template").fill(runs))
            rows.append(Row(section, "its template alone ÷ minimal dialog", case, "template", "minimal").fill(runs))
        rows.append(Row(section, "Quorvane.EXE, 10 folder lines of 1,000 pictures ÷ 10 picture lines", "10 list lines",
                        "folder-lines", "picture-lines", (1.05, False)).fill(wine.get((group, "folder-lines"), {})))
    memory = "Idle memory, 1,000 entries (Wine)"
    for group, what, unit, target in (("private", "private bytes", "bytes", (1.5, False)),
                                      ("workingset", "working set", "bytes", None),
                                      ("gdi", "GDI objects", "count", None),
                                      ("user", "USER objects", "count", None)):
        runs = wine.get((group, "1000"), {})
        missing = "not available: Wine's GetGuiResources answers 0" if group == "user" else "no data"
        rows.append(Row(memory, f"{what}: Quorvane.EXE ÷ minimal", "1,000 entries", "quorvane", "minimal", target,
                        unit, missing).fill(runs))
        rows.append(Row(memory, f"{what}: Quorvane.EXE ÷ its template alone", "1,000 entries", "quorvane",
                        "template", None, unit, missing).fill(runs))
    portable = core.get(("core", ""), {})
    for index, size in enumerate(SIZES):
        rows.append(Row("Portable cores (native, Google Benchmark)", "layout checks ÷ copy of the packed DIB", size,
                        f"DibCheck/{index}", f"DibCopy/{index}").fill(portable))
    rows.append(Row("Portable cores (native, Google Benchmark)", "palette from colour table ÷ copy of the table",
                    "256 colours", "PaletteFill", "PaletteCopy").fill(portable))
    for subject, what in (("ListParse", "ParseListFile ÷ memchr pass"),
                          ("ListReaderPieces", "CListFileReader, 64 KiB pieces ÷ memchr pass"),
                          ("ListCopy", "memcpy ÷ memchr pass")):
        rows.append(Row("Portable cores (native, Google Benchmark)", what, "10,000 entries", subject,
                        "ListMemchrPass").fill(portable))
    return rows


def table(rows):
    lines = ["| measured | case | target | median ratio | middle half (p25 – p75) | spread (min – max) | n "
             "| subject (median) | baseline (median) | verdict |",
             "|---|---|---|---|---|---|---|---|---|---|"]
    section = None
    for row in rows:
        if row.section != section:
            section = row.section
            lines.append(f"| **{section}** | | | | | | | | | |")
        if not row.ratios:
            lines.append(f"| {row.what} | {row.case} | {row.target_text()} | — | — | — | 0 | — | — | {row.verdict()} |")
            continue
        ratios = row.ratios
        quartiles = statistics.quantiles(ratios, n=4, method="inclusive") if len(ratios) > 1 else ratios * 3
        lines.append(
            f"| {row.what} | {row.case} | {row.target_text()} | {statistics.median(ratios):.3g} "
            f"| {quartiles[0]:.3g} – {quartiles[2]:.3g} | {min(ratios):.3g} – {max(ratios):.3g} | {len(ratios)} "
            f"| {show_amount(statistics.median(row.subject_values), row.unit)} "
            f"| {show_amount(statistics.median(row.baseline_values), row.unit)} | {row.verdict()} |")
    return "\n".join(lines)


def command_output(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=False).stdout.strip()
    except OSError:
        return "unknown"


def machine(started, load_start, load_end):
    model = "unknown"
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as cpuinfo:
            for line in cpuinfo:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = "unknown"
    try:
        with open("/proc/meminfo", encoding="utf-8") as meminfo:
            kib = int(meminfo.readline().split()[1])
            memory = f"{kib / 2**20:.0f} GiB"
    except (OSError, ValueError, IndexError):
        pass
    return [
        ("processors (nproc)", str(os.cpu_count())),
        ("CPU model", model),
        ("memory", memory),
        ("kernel", platform.release()),
        ("Wine", command_output("wine", "--version")),
        ("mingw-w64 g++", command_output("x86_64-w64-mingw32-g++-posix", "-dumpfullversion")),
        ("load average (1, 5, 15 min) at the start and at the end of the run", f"{load_start}; {load_end}"),
        ("run started", started),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--wine", required=True, help="the lines QuorvaneBench.exe wrote")
    parser.add_argument("--core", required=True, help="Google Benchmark's JSON")
    parser.add_argument("--repetitions", required=True, type=int)
    parser.add_argument("--command", required=True, help="the command that reproduces the run")
    parser.add_argument("--notes", required=True, help="the hand-written part of the page, put after the table")
    parser.add_argument("--out", required=True)
    parser.add_argument("--started", default=datetime.datetime.now().strftime("%Y-%m-%d %H:%M"))
    parser.add_argument("--load-start", default="unknown", help="/proc/loadavg's first three fields")
    parser.add_argument("--load-end", default=None, help="the same at the end; now when not given")
    arguments = parser.parse_args()

    wine = read_wine_lines(arguments.wine)
    context, core = read_core_json(arguments.core)
    rows = build_rows(wine, core)
    rendered = table(rows)
    with open(arguments.notes, encoding="utf-8") as notes_file:
        notes = notes_file.read().strip()
    load_end = arguments.load_end or " ".join(open("/proc/loadavg", encoding="utf-8").read().split()[:3])
    machine_lines = "\n".join(f"| {name} | {value} |"
                              for name, value in machine(arguments.started, arguments.load_start, load_end))
    library = context.get("library_build_type", "unknown")
    page = f"""# Performance

How fast Quorvane loads and previews a picture, composes a wallpaper, finds the next picture of a
folder line and starts, and how much it holds while idle, each as a ratio against a baseline
measured in the same run. Written by `{arguments.command}` (it builds what it needs, runs everything and rewrites this
page); the numbers below are from its last run: {arguments.repetitions} repetitions per figure, {2 * arguments.repetitions} for the start-ups and idle memory,
at most 5 for the 12000 × 8000 photo.

## Table

A ratio below 1 means the subject is faster (or smaller) than its baseline. Each ratio is taken
within one repetition, and the median, the middle half and the whole spread are over the
repetitions; a target is judged on the median. The subject and baseline columns give median
absolute values for scale only, since the machine is shared.

{rendered}

## Machine

| | |
|---|---|
{machine_lines}
| Google Benchmark library build | {library} (Debian's package; the ratios compare code of ours only) |

{notes}
"""
    os.makedirs(os.path.dirname(arguments.out) or ".", exist_ok=True)
    with open(arguments.out, "w", encoding="utf-8") as out:
        out.write(page)
    print(rendered)


if __name__ == "__main__":
    main()
