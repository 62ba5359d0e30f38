#!/usr/bin/env python3
"""Checks of what comes with the program: its manual page, make install and
uninstall, where it leaves input it shares with the next command, and its
warning about arguments. Usage: tool.py BINARY; ends 'N passed, M failed'."""
import os, pty, shutil, subprocess, sys, tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHUNK = 131072          # the program reads a regular file this much at a time
SAMPLE = b"5\n17\n1023\n"
WARNING = b"a: reads standard input only; ignoring arguments\n"
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


# Needs the reader that leaves a seekable input right after the last digit
# it used and takes at most the one byte after it from a pipe.
SHARED = [  # input the program uses, its output, what follows the input
    (b"1 1 1 5", b"1\n", b" 6 7\nrest\n"),
    (b"2 1 1 5 1 2 6 7", b"1\n3\n", b"\n" + b"x" * (CHUNK + 100)),
    (b"1 1 1" + b" " * (CHUNK - 6) + b"5", b"1\n", b" after a last digit ending the first read"),
    (b"1 1 1" + b"\t" * (CHUNK - 9) + b"-0012345", b"1\n", b"\vafter a number across two reads"),
]


def shared(binary):
    for i, (used, out, rest) in enumerate(SHARED):
        with tempfile.NamedTemporaryFile() as f:
            f.write(used + rest)
            f.flush()
            sh = lambda cmd: subprocess.run(["sh", "-c", cmd, "sh", binary, f.name],
                                            capture_output=True, timeout=20)
            r = sh('{ "$1"; cat; } < "$2"')
            check(f"file then cat #{i} (new reader)", (r.returncode, r.stdout) == (0, out + rest), r)
            r = sh('cat "$2" | { "$1"; cat; }')
            check(f"pipe then cat #{i} (new reader)", r.stdout in (out + rest, out + rest[1:]), r)


def terminal(binary):
    """The warning comes only with arguments and a terminal for input;
    needs the new reader too."""
    for args, tty, err in ([["x"], True, WARNING], [["x", "-"], False, b""], [[], True, b""]):
        master, slave = pty.openpty()
        p = subprocess.Popen([binary, *args], stdin=slave if tty else subprocess.PIPE,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        os.close(slave)
        if tty:
            os.write(master, b"1 1 1 5\n")
        try:
            got = p.communicate(None if tty else b"1 1 1 5\n", timeout=10)
        except subprocess.TimeoutExpired:
            p.kill()
            got = p.communicate()
        os.close(master)
        check(f"arguments {args} terminal {tty} (new reader)", (got, p.returncode) == ((b"1\n", err), 0), got)


def main():
    binary = os.path.abspath(sys.argv[1])
    manual()
    install()
    shared(binary)
    terminal(binary)
    good = sum(results)
    print(f"{good} passed, {len(results) - good} failed")
    sys.exit(0 if good == len(results) else 1)


if __name__ == "__main__":
    main()
