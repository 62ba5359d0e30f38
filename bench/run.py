#!/usr/bin/env python3
"""Time ./a, the straightforward baseline and cat on each benchmark input,
side by side, after checking that both programs print the same lines.
Usage: run.py FOLDER PEAK PROGRAM BASELINE"""
import os, statistics, subprocess, sys

RUNS = int(os.environ.get("BENCH_RUNS", "5"))
SLOW = 2              # baseline runs on the inputs made to hurt it
HOSTILE = ("3-then-tiny", "4-crafted")


def once(argv, path, out):
    """Wall seconds and peak resident KiB of one run, taken by peak."""
    with open(path, "rb") as fin, open(out, "wb") as fout:
        r = subprocess.run([PEAK] + argv, stdin=fin, stdout=fout, stderr=subprocess.PIPE)
    if r.returncode != 0:
        sys.exit(f"bench: {argv[0]} failed on {path}")
    wall, kib = r.stderr.split()
    return float(wall), int(kib)


def measure(argv, path, out, runs):
    """Median wall time and largest peak memory over runs."""
    got = [once(argv, path, out) for _ in range(runs)]
    return statistics.median(w for w, _ in got), max(k for _, k in got)


def main():
    global PEAK
    folder, PEAK, prog, base = sys.argv[1:5]
    names = sorted(f[:-3] for f in os.listdir(folder) if f.endswith(".in"))
    print(f"{'input':<12} {'MB':>6} {'cat ms':>7} {'a ms':>8} {'a MB/s':>7} {'a MiB':>6}"
          f" {'base ms':>8} {'base MiB':>8} {'base/a':>7} {'a/cat':>6}")
    for name in names:
        path = os.path.join(folder, name + ".in")
        mb = os.path.getsize(path) / 1e6
        ours, theirs = path[:-3] + ".a.out", path[:-3] + ".base.out"
        a_t, a_k = measure([prog], path, ours, RUNS)
        b_t, b_k = measure([base], path, theirs, SLOW if name in HOSTILE else RUNS)
        c_t, _ = measure(["cat"], path, os.devnull, RUNS)
        with open(ours, "rb") as x, open(theirs, "rb") as y:
            if x.read() != y.read():
                sys.exit(f"bench: outputs differ on {name}")
        print(f"{name:<12} {mb:6.1f} {c_t * 1e3:7.1f} {a_t * 1e3:8.1f} {mb / a_t:7.0f} {a_k / 1024:6.1f}"
              f" {b_t * 1e3:8.0f} {b_k / 1024:8.1f} {b_t / a_t:7.1f} {a_t / c_t:6.1f}")


if __name__ == "__main__":
    main()
