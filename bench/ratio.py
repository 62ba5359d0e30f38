#!/usr/bin/env python3
"""The least CPU time (user and system) of each program named, and of cat,
on one input, over RUNS runs of each taken in turn, all writing to
/dev/null; and each program's ratio to cat. The least time is the run the
machine disturbed least, so ratios of it move less than medians do.
Usage: ratio.py INPUT RUNS PROGRAM..."""
import os, sys


def cpu(argv, path):
    """CPU seconds of one run of argv on the file at path."""
    with open(path, "rb") as fin, open(os.devnull, "wb") as fout:
        pid = os.fork()
        if pid == 0:
            os.dup2(fin.fileno(), 0)
            os.dup2(fout.fileno(), 1)
            os.execvp(argv[0], argv)
        _, status, use = os.wait4(pid, 0)
    if status != 0:
        sys.exit(f"ratio: {argv[0]} failed on {path}")
    return use.ru_utime + use.ru_stime


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__.splitlines()[-1])
    path, runs, progs = sys.argv[1], int(sys.argv[2]), ["cat"] + sys.argv[3:]
    least = {p: float("inf") for p in progs}
    for r in range(runs):
        for p in progs if r % 2 == 0 else progs[::-1]:
            least[p] = min(least[p], cpu([p], path))
    for p in progs:
        print(f"{p:<24} {least[p] * 1e3:8.2f} ms  {least[p] / least['cat']:5.2f} x cat")


if __name__ == "__main__":
    main()
