#!/usr/bin/env python3
"""Checks of what comes with the program: its manual page, make install and
uninstall, and the bench's table. Usage: tool.py BINARY; prints a line for
each group as it ends, as tests/run.py does."""
import os, re, shutil, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "bench"))
from gen import TITLES  # noqa: E402
from model import tally  # noqa: E402
SAMPLE = b"5\n17\n1023\n"
results = []


def check(name, ok, detail=""):
    results.append(ok)
    if not ok:
        print(f"FAIL {name}: {detail!r:.600}")


def manual():
    if not shutil.which("groff"):
        print("skipped: manual page check, groff is not installed")
        return
    r = subprocess.run(["groff", "-man", "-ww", "-z", "a.1"], cwd=ROOT, capture_output=True)
    check("groff -man -ww -z a.1", (r.returncode, r.stdout + r.stderr) == (0, b""), r)


def make(*args):
    # -o a: install the binary under test as it is, whatever flags made it.
    return subprocess.run(["make", "-s", "-o", "a", *args], cwd=ROOT, capture_output=True)


def install():
    """The installed program runs, and its page is named after it."""
    sample = open(os.path.join(ROOT, "examples/sample.in"), "rb").read()
    for name in ("a", "x"):
        with tempfile.TemporaryDirectory() as d:
            how = [f"DESTDIR={d}", "PREFIX=/usr", f"NAME={name}"]
            prog, page = f"{d}/usr/bin/{name}", f"{d}/usr/share/man/man1/{name}.1"
            r = make("install", *how)
            ok = os.path.isfile(prog) and os.path.isfile(page)
            ok = ok and subprocess.run([prog], input=sample, capture_output=True).stdout == SAMPLE
            check(f"make install NAME={name}", ok and f"\n{name} \\- " in open(page).read(), r)
            r = make("uninstall", *how)
            check(f"make uninstall NAME={name}", not (os.path.exists(prog) or os.path.exists(page)), r)


def table(folder, binary, scanf, *more):
    """What bench.py prints with a few runs of each program on folder."""
    argv = [sys.executable, "bench/bench.py", "--runs", "3", "--scanf-runs", "2",
            folder, "build/peak", binary, scanf, *more]
    return subprocess.run(argv, cwd=ROOT, capture_output=True, text=True, timeout=60)


def columns(line):
    """A row's input name and its figures, or None where it has others."""
    m = re.fullmatch(r"(\S+(?: \S+)*) {2,}((?:-?[0-9.]+ *)+)", line.strip())
    return m and (m.group(1), [float(f) for f in m.group(2).split()])


def readme(head):
    """The README's table is what make bench prints: its columns, and the
    names of the inputs make bench takes, in order."""
    text = open(os.path.join(ROOT, "README.md")).read()
    block = re.search(r"\n\n((?:    .*\n)+)", text[text.index("## Performance"):]).group(1)
    lines = [b[4:] for b in block.splitlines()]
    check("README's table: columns", lines[0] == head, lines[0])
    r = make("--eval", "names: ; @echo $(BENCH_INPUTS)", "names")
    want = [TITLES[n] for n in r.stdout.decode().split()]
    got = [columns(line) for line in lines[1:]]
    check("README's table: rows", [g and (g[0], len(g[1])) for g in got] == [(w, 6) for w in want], got)


def counted(folder, name, prog):
    """A program in folder that leaves its name in the file runs there and
    then runs prog."""
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write(f"#!/bin/sh\necho {name} >> {folder}/runs\nexec {prog}\n")
    os.chmod(path, 0o755)
    return path


def layout(d, binary):
    """Each table has its columns and a row for each input; each program
    runs once untimed on each input, then as often as asked. Returns the
    line of column names of the plain table."""
    scanf = counted(d, "scanf", os.path.join(ROOT, "build/scanf"))
    plain = table(d, binary, "build/scanf")
    old = table(d, binary, scanf, "--old", counted(d, "old", binary), "--runs", "2", "--scanf-runs", "3")
    alone = table(d, binary, "build/scanf", "--scanf-runs", "0", "all")
    for r, n in ((plain, 6), (old, 8), (alone, 5)):
        lines = r.stdout.splitlines()[1:]
        got = [len(re.split(" {2,}", lines[0].strip())) - 1 if lines else 0]
        got += [c and (c[0], len(c[1])) for c in map(columns, lines[1:])]
        check(f"bench.py, {n} columns", got == [n, (TITLES["1-random"], n), ("x", n)], r)
    runs = open(f"{d}/runs").read().split()
    check("bench.py, runs", (runs.count("old"), runs.count("scanf")) == (2 * (1 + 2), 2 * (1 + 3)), runs)
    return (plain.stdout.splitlines()[1:] or [""])[0]


def stops(d, binary):
    """A program that prints other lines, or fails, stops the bench."""
    r = table(d, binary, "/bin/cat")
    check("bench.py, other lines", (r.returncode, r.stdout.count("\n")) == (1, 2)
          and r.stderr.startswith(f"bench: different output on {d}/1-random.in: "), r)
    r = table(d, binary, "build/scanf", "--old", "false")
    check("bench.py, a failing program", r.returncode == 1 and f"false failed on {d}/" in r.stderr, r)
    r = table(d, binary, "build/scanf", "--old", "/bin/cat", "--scanf-runs", "0")
    check("bench.py, other lines without scanf", r.returncode == 1 and "different output" in r.stderr, r)


def bench(binary):
    """bench.py on two small inputs, and the README's table against it."""
    r = make("build/peak", "build/scanf")
    if r.returncode:
        return check("make build/peak build/scanf", False, r)
    with tempfile.TemporaryDirectory() as d:
        for name in ("1-random", "x"):
            shutil.copy(os.path.join(ROOT, "examples/sample.in"), f"{d}/{name}.in")
        readme(layout(d, binary))
        stops(d, binary)


def group(name, fn, *args):
    """Run the checks of fn and print their line."""
    began, before = time.time(), len(results)
    fn(*args)
    good = sum(results[before:])
    bad = len(results) - before - good
    print(tally(name, good, bad, time.time() - began), flush=True)


def main():
    binary = os.path.abspath(sys.argv[1])
    group("manual page", manual)
    group("install", install)
    group("bench", bench, binary)
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
