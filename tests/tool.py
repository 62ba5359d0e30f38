#!/usr/bin/env python3
"""Checks of what comes with the program: its manual page, and make install
and uninstall. Usage: tool.py BINARY; ends 'N passed, M failed'."""
import os, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
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


def main():
    binary = os.path.abspath(sys.argv[1])
    manual()
    install()
    good = sum(results)
    print(f"{good} passed, {len(results) - good} failed")
    sys.exit(0 if good == len(results) else 1)


if __name__ == "__main__":
    main()
