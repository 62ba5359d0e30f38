#!/usr/bin/env python3
"""Time ./a, the straightforward baseline, cat and optionally an older build
of ./a on each benchmark input, after checking that all of them print the
same lines. Runs of the programs alternate, so that a slow spell of the
machine falls on all of them alike. Each row is printed when measured.
Usage: run.py FOLDER PEAK PROGRAM BASELINE [OLD]"""
import os, statistics, subprocess, sys

RUNS = int(os.environ.get("BENCH_RUNS", "5"))
# The baseline takes seconds where the program takes milliseconds: it runs
# fewer times, and once only where one run takes more than a second.
BASE_RUNS = int(os.environ.get("BENCH_BASE_RUNS", "3"))


def once(argv, path, out):
    """Wall seconds and peak resident KiB of one run, taken by peak."""
    with open(path, "rb") as fin, open(out, "wb") as fout:
        r = subprocess.run([PEAK] + argv, stdin=fin, stdout=fout, stderr=subprocess.PIPE)
    if r.returncode != 0:
        why = r.stderr.decode(errors="replace").splitlines()[:-1]
        sys.exit(f"bench: {argv[0]} failed on {path}" + "".join(": " + w for w in why))
    wall, kib = r.stderr.split()[-2:]
    return float(wall), int(kib)


def measure(progs, path):
    """Median wall time and largest peak memory of each program, the runs
    of one interleaved with those of the others; checks their outputs."""
    outs = {p: os.devnull if p == "cat" else f"{path[:-3]}.{i}.out" for i, p in enumerate(progs)}
    got = {p: [] for p in progs}
    for r in range(RUNS):
        for p in progs if r % 2 == 0 else progs[::-1]:
            if p == BASE and (r >= BASE_RUNS or (r > 0 and got[p][0][0] > 1)):
                continue
            got[p].append(once([p], path, outs[p]))
        if r == 0:
            same(outs, path)
    return {p: (statistics.median(w for w, _ in g), max(k for _, k in g)) for p, g in got.items()}


def same(outs, path):
    """Exit unless every program but cat printed the same bytes."""
    texts = {}
    for p, name in outs.items():
        if p != "cat":
            with open(name, "rb") as f:
                texts.setdefault(f.read(), []).append(p)
    if len(texts) > 1:
        sys.exit(f"bench: different output on {path}: " + " | ".join(map(" ".join, texts.values())))


def main():
    global PEAK, BASE
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__.splitlines()[-1])
    folder, PEAK, prog, BASE = sys.argv[1:5]
    old = sys.argv[5] if len(sys.argv) == 6 else None
    progs = [prog] + ([old] if old else []) + [BASE, "cat"]
    names = sorted(f[:-3] for f in os.listdir(folder) if f.endswith(".in"))
    print(f"runs: {RUNS}, baseline {min(RUNS, BASE_RUNS)} (1 where a run takes over 1 s); medians, peak memory")
    print(f"{'input':<12} {'MB':>5} {'cat ms':>7} {'a ms':>7}" + (f" {'old ms':>7} {'a/old':>6}" if old else "") +
          f" {'a MB/s':>7} {'a MiB':>6} {'base ms':>8} {'base MiB':>8} {'base/a':>7} {'a/cat':>6}", flush=True)
    for name in names:
        path = os.path.join(folder, name + ".in")
        mb = os.path.getsize(path) / 1e6
        m = measure(progs, path)
        (a_t, a_k), (b_t, b_k), (c_t, _) = m[prog], m[BASE], m["cat"]
        row = f"{name:<12} {mb:5.1f} {c_t * 1e3:7.1f} {a_t * 1e3:7.1f}"
        if old:
            row += f" {m[old][0] * 1e3:7.1f} {a_t / m[old][0]:6.2f}"
        row += (f" {mb / a_t:7.0f} {a_k / 1024:6.1f} {b_t * 1e3:8.0f} {b_k / 1024:8.1f}"
                f" {b_t / a_t:7.1f} {a_t / c_t:6.1f}")
        print(row, flush=True)


if __name__ == "__main__":
    main()
