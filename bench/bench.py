#!/usr/bin/env python3
"""The README's performance table. On each input: the least CPU time (user
and system) of RUNS runs of the program and of cat, and of SCANF runs of
the scanf program (one where a run takes over 5 s), the runs of each taken
in turn with the others', all writing to /dev/null; and the program's peak
resident set. The least time is the run the machine disturbed least, so
ratios of it move less than medians do. First, each program but cat runs
once untimed, and all must print the same bytes. --old adds another build
of the program; --scanf-runs 0 leaves the scanf program out. Inputs are
named without .in; none, or all, is every input in the folder.
Usage: bench.py [--runs N] [--scanf-runs N] [--old OLD] FOLDER PEAK PROGRAM SCANF [INPUT...]"""
import argparse, os, subprocess, sys
from gen import TITLES

LONG = 5.0  # CPU seconds past which a scanf run is not repeated
NAME = 38   # width of the column of input names


def run(peak, prog, path, keep=False):
    """CPU seconds, peak resident KiB and, if kept, the output of one run of
    prog on the file at path, as peak takes them."""
    with open(path, "rb") as fin:
        r = subprocess.run([peak, prog], stdin=fin, stderr=subprocess.PIPE,
                           stdout=subprocess.PIPE if keep else subprocess.DEVNULL)
    why = r.stderr.decode(errors="replace").splitlines()
    if r.returncode != 0 or not why:
        sys.exit(f"bench: {prog} failed on {path}" + "".join(": " + w for w in why[:-1]))
    cpu, kib = why[-1].split()
    return int(cpu) / 1e6, int(kib), r.stdout


def check(peak, progs, path):
    """The CPU seconds of one run of each program but cat; exits unless all
    of them print the same bytes."""
    took, outs = {}, {}
    for p in progs:
        if p != "cat":
            took[p], _, out = run(peak, p, path, keep=True)
            outs.setdefault(out, []).append(p)
    if len(outs) > 1:
        sys.exit(f"bench: different output on {path}: " + " | ".join(map(" ".join, outs.values())))
    return took


def measure(peak, progs, scanf, path, runs, scanf_runs):
    """The least CPU seconds and the largest peak KiB of each program over
    its runs, the runs of each taken in turn with the others'."""
    took = check(peak, progs, path)
    if scanf in took and took[scanf] > LONG:
        scanf_runs = 1
    least, most = dict.fromkeys(progs, float("inf")), dict.fromkeys(progs, 0)
    for r in range(max(runs, scanf_runs)):
        for p in progs if r % 2 == 0 else progs[::-1]:
            if r < (scanf_runs if p == scanf else runs):
                cpu, kib, _ = run(peak, p, path)
                least[p], most[p] = min(least[p], cpu), max(most[p], kib)
    return least, most


def header(old, scanf):
    """The line naming the table's columns."""
    line = f"{'input':<{NAME}}{'MB':>6}{'cat ms':>8}{'a ms':>7}{'a/cat':>7}"
    line += f"{'old ms':>8}{'a/old':>7}" if old else ""
    line += f"{'scanf ms':>10}" if scanf else ""
    return line + f"{'a MiB':>7}"


def row(title, mb, prog, old, scanf, least, most):
    """One input's line of the table."""
    a, cat = least[prog], least["cat"]
    line = f"{title:<{NAME}}{mb:6.1f}{cat * 1e3:8.1f}{a * 1e3:7.1f}{a / cat:7.1f}"
    line += f"{least[old] * 1e3:8.1f}{a / least[old]:7.3f}" if old else ""
    line += f"{least[scanf] * 1e3:10.0f}" if scanf else ""
    return line + f"{most[prog] / 1024:7.1f}"


def method(runs, scanf_runs, old):
    """The line that says how the table's figures were taken."""
    who = "a, old and cat" if old else "a and cat"
    line = f"least CPU time of {runs} runs of {who} taken in turn"
    if scanf_runs:
        line += f", {scanf_runs} of scanf (1 where one takes over {LONG:.0f} s)"
    return line + "; all to /dev/null; a MiB: peak resident set"


def inputs(folder, names):
    """The paths of the inputs named, or of every input in the folder."""
    if not names or names == ["all"]:
        names = sorted(f[:-3] for f in os.listdir(folder) if f.endswith(".in"))
    paths = [os.path.join(folder, n + ".in") for n in names]
    for p in paths:
        if not os.path.isfile(p):
            sys.exit(f"bench: no input {p}")
    return paths


def main():
    args = argparse.ArgumentParser(usage=__doc__.splitlines()[-1][7:])
    args.add_argument("--runs", type=int, default=201)
    args.add_argument("--scanf-runs", type=int, default=5)
    args.add_argument("--old")
    for a in ("folder", "peak", "prog", "scanf"):
        args.add_argument(a)
    args.add_argument("names", nargs="*")
    o = args.parse_intermixed_args()
    if o.runs < 1:
        sys.exit("bench: --runs must be at least 1")
    scanf = o.scanf if o.scanf_runs > 0 else None
    progs = [p for p in (o.prog, o.old, scanf, "cat") if p]
    paths = inputs(o.folder, o.names)
    print(method(o.runs, o.scanf_runs, o.old))
    print(header(o.old, scanf), flush=True)
    for path in paths:
        name = os.path.basename(path)[:-3]
        least, most = measure(o.peak, progs, scanf, path, o.runs, o.scanf_runs)
        mb = os.path.getsize(path) / 1e6
        print(row(TITLES.get(name, name), mb, o.prog, o.old, scanf, least, most), flush=True)


if __name__ == "__main__":
    main()
