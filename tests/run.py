#!/usr/bin/env python3
"""Black-box tests of the counting filter: run each binary named on the
command line on exact cases, on generated and random inputs checked against
an independent model, and with failing input and output. Prints a line for
each group as it ends: its name, checks passed and failed, and seconds;
exits 1 if any failed. With --quick, a few cases of every group; with
--which BINARY, the test build, which names the code it takes under
processors that lack extensions or on processors the tests make up, and has
no random source; with --fast BINARY (any number of them), a build whose
fast loop takes plain blocks, which counts them; with --stop, the first
failure ends the run with status 1, for tools that need only the verdict.

Knobs: RANDOM_INPUTS random test cases, packed 200 to an input (2000);
MUTATED_INPUTS damaged inputs, one run each (200)."""
import os, random, shutil, subprocess, sys, tempfile, threading, time
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.join(os.path.dirname(HERE), "build")
sys.path.insert(0, HERE)
from model import judge, generate, mutate, said, held, tally  # noqa: E402
from sweep import sweep, twice, full, crowded, edges, spaced  # noqa: E402
from streams import refills, long_numbers, packets, nonblocking, arguments, processors, madeup  # noqa: E402

results = []
local = threading.local()   # the group of the checks this thread makes


class Groups:
    """The groups of checks: how many jobs each has left, its counts and
    when it began. A line is printed for each as its last job ends."""

    def __init__(self):
        self.lock, self.left, self.counts, self.began = threading.Lock(), {}, {}, {}

    def expect(self, group, jobs=1):
        self.left[group] = self.left.get(group, 0) + jobs
        self.counts.setdefault(group, [0, 0])

    def run(self, group, fn, *args):
        local.group = group
        with self.lock:
            self.began.setdefault(group, time.time())
        try:
            return fn(*args)
        finally:
            with self.lock:
                self.left[group] -= 1
                if self.left[group] == 0:
                    good, bad = self.counts[group]
                    seconds = time.time() - self.began[group]
                    print(tally(group, good, bad, seconds), flush=True)


groups = Groups()
STOP = "--stop" in sys.argv
scratch = None  # where the generated inputs are written for this run


def check(name, ok, detail=""):
    results.append(ok)
    with groups.lock:
        groups.counts[local.group][not ok] += 1
    if not ok:
        print(f"FAIL {name}: {detail}"[:2000], flush=True)
        if STOP:  # at once, from any thread; the caller ends the runs still going
            if scratch:
                shutil.rmtree(scratch, True)
            os._exit(1)


def run(binary, data, timeout=20, **kw):
    """Run binary on data, or on the open file given as stdin; a run past
    the timeout counts as status 'hang'."""
    try:
        return subprocess.run([binary], input=data, capture_output=True, timeout=timeout, **kw)
    except subprocess.TimeoutExpired as e:
        return subprocess.CompletedProcess(e.cmd, "hang", e.stdout or b"", e.stderr or b"")


def expect(binary, name, data, out, rc=0, err=b"", **kw):
    r = run(binary, data, **kw)
    got = (r.stdout, r.returncode, r.stderr)
    check(f"{binary} {name}", got == (out, rc, said(binary, err)), f"got {got!r:.600}")


def big(codes):
    return b"1 50001 10\n" + b"".join(b" ".join(b"%d" % c for c in codes(i)) + b"\n" for i in range(50001))


CASES = [  # group, input, output, status, standard error after the program's name
    ("rules", b"1 2 2 1 2 2 3", b"5\n", 0, b""),
    ("rules", b"1\n2\n2\n1\n2\n\n2 3\n", b"5\n", 0, b""),
    ("rules", b"2 1 1 5 1 1 5", b"1\n1\n", 0, b""),
    ("rules", b"1 1 3 7 7 7", b"4\n", 0, b""),
    ("rules", b"1 3 2 1 2 3 4 1 3", b"6\n", 0, b""),
    ("rules", b"1 3 2 1 3 3 4 1 2", b"7\n", 0, b""),
    ("rules", b"1 1 2 0 -1", b"3\n", 0, b""),
    ("rules", b"1 2 10 " + b"1 " * 10 + b"2 " * 10, b"1024\n", 0, b""),
    ("rules", b"3 1 1 -2147483648 1 2 2147483647 -2147483648 1 1 0", b"1\n3\n1\n", 0, b""),
    ("rules", b"2 2 8 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 2 16 1 " + b" ".join(b"%d" % i for i in range(15)) + b" 7",
     b"509\n15\n", 0, b""),
    ("rules", b"2 99 1 " + b" ".join(b"%d" % i for i in range(99)) + b" 9999 1 " + b" ".join(b"%d" % i for i in range(9999)),
     b"99\n9999\n", 0, b""),
    ("empty", b"0", b"", 0, b""),
    ("empty", b"-5 1 1 1", b"", 0, b""),
    ("empty", b"3 0 5 -1 5 3 0", b"0\n0\n0\n", 0, b""),
    ("empty", b"2 2000000000 0 1 1 9", b"0\n1\n", 0, b""),
    ("empty", b"1 -3 11 ", b"0\n", 0, b""),
    ("syntax", b"\t\v\f\r +1 \n+0001 +01 -00000000000000000000000000000007 x", b"1\n", 0, b""),
    ("syntax", b"1 1 1 5x", b"1\n", 0, b""),
    ("syntax", b"1 1 1 5", b"1\n", 0, b""),
    ("errors", b"", b"", 1, b"line 1, column 1: expected the number of test cases, found end of input\n"),
    ("errors", b" \n\t", b"", 1, b"line 2, column 2: expected the number of test cases, found end of input\n"),
    ("errors", b"2000000000 1 1 5", b"1\n", 1,
     b"line 1, column 17: test case 2: expected the number of rows, found end of input\n"),
    ("errors", b"2 1 1 5 1", b"1\n", 1,
     b"line 1, column 10: test case 2: expected the number of entries per row, found end of input\n"),
    ("errors", b"2 1 1 5 2 2 1 2 3", b"1\n", 1,
     b"line 1, column 18: test case 2, row 2, entry 2: expected an item code, found end of input\n"),
    ("errors", b"1 2 2 1", b"", 1, b"line 1, column 8: test case 1, row 1, entry 2: expected an item code, found end of input\n"),
    ("errors", b"1 2 2 1\n", b"", 1, b"line 2, column 1: test case 1, row 1, entry 2: expected an item code, found end of input\n"),
    ("errors", b"1 2", b"", 1, b"line 1, column 4: test case 1: expected the number of entries per row, found end of input\n"),
    ("errors", b"2 1 1 5 3 1 1 2 x7 4", b"1\n", 1,
     b"line 1, column 17: test case 2, row 3, entry 1: expected an item code, found \"x7\"\n"),
    ("errors", b"1 1 2 5 -", b"", 1, b"line 1, column 9: test case 1, row 1, entry 2: expected an item code, found \"-\"\n"),
    ("errors", b"1 1 2 5 +-3", b"", 1, b"line 1, column 9: test case 1, row 1, entry 2: expected an item code, found \"+-3\"\n"),
    ("errors", b"1 1 1 2147483648", b"", 1,
     b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"2147483648\" (out of range)\n"),
    ("errors", b"1 1 1 -2147483649", b"", 1,
     b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"-2147483649\" (out of range)\n"),
    ("errors", b"1 1 1 -0000000000000000000000000000000123456789012", b"", 1,
     b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"-0000000000000000000...\" (out of range)\n"),
    ("errors", b"99999999999", b"", 1,
     b"line 1, column 1: expected the number of test cases, found \"99999999999\" (out of range)\n"),
    ("errors", b":", b"", 1, b"line 1, column 1: expected the number of test cases, found \":\"\n"),
    ("errors", b"1 1 1 \x0e5", b"", 1, b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"\\x0e5\"\n"),
    ("errors", b"1 1 1 \x085", b"", 1, b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"\\x085\"\n"),
    ("errors", b"1 1 2      12345678901 5", b"", 1,
     b"line 1, column 12: test case 1, row 1, entry 1: expected an item code, found \"12345678901\" (out of range)\n"),
    ("errors", b"1 1 1 \"\\\x01\xff\x7f", b"", 1,
     b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"\\\"\\\\\\x01\\xff\\x7f\"\n"),
    ("errors", b"1 1 1 abcdefghijklmnopqrstuvwxyz", b"", 1,
     b"line 1, column 7: test case 1, row 1, entry 1: expected an item code, found \"abcdefghijklmnopqrst...\"\n"),
    ("where", b"1\r\n2 2\r\n1 x\r\n", b"", 1, b"line 3, column 3: test case 1, row 1, entry 2: expected an item code, found \"x\"\n"),
    ("where", b"1 1 1" + b" " * 200000 + b"\n\tx", b"", 1,
     b"line 2, column 2: test case 1, row 1, entry 1: expected an item code, found \"x\"\n"),
    ("where", b"1 1 2" + b" " * 200000 + b"0x", b"", 1,
     b"line 1, column 200007: test case 1, row 1, entry 2: expected an item code, found \"x\"\n"),
    ("where", b"1\n50001 1\n" + b"-1234567\n" * 50000 + b"+x\n", b"", 1,
     b"line 50003, column 1: test case 1, row 50001, entry 1: expected an item code, found \"+x\"\n"),
    ("where", b"1 1 1" + b"\n" * 10000 + b"x", b"", 1,
     b"line 10001, column 1: test case 1, row 1, entry 1: expected an item code, found \"x\"\n"),
    ("where", b"2\n1 1\n5\n\n  50002 3\n", b"1\n", 1, b"line 5, column 3: test case 2: expected at most 50001 rows, found 50002\n"),
    ("where", b"1\n50002\n\n -11 9", b"", 1, b"line 4, column 2: test case 1: expected 0 to 10 entries per row, found -11\n"),
    ("limits", b"2 1 1 5 1 11", b"1\n", 1, b"line 1, column 11: test case 2: expected 0 to 10 entries per row, found 11\n"),
    ("limits", b"1 1 -1", b"", 1, b"line 1, column 5: test case 1: expected 0 to 10 entries per row, found -1\n"),
    ("limits", b"1 50002 1", b"", 1, b"line 1, column 3: test case 1: expected at most 50001 rows, found 50002\n"),
    ("limits", big(lambda i: range(10 * i, 10 * i + 10)), b"51151023\n", 0, b""),
    ("limits", big(lambda i: [7] * 10), b"512\n", 0, b""),
]


def exact(binary):
    """Each case through a pipe and from a file."""
    for i, (group, data, out, rc, err) in enumerate(CASES):
        expect(binary, f"{group} #{i}", data, out, rc, err)
        with held(data) as f:
            expect(binary, f"{group} #{i} from a file", None, out, rc, err, stdin=f)


# The sweep and the damaged inputs start hundreds of processes; a leak check
# at exit triples the cost of each under the sanitizers, and the other
# groups keep it. Nor can it run under strace.
UNCHECKED = dict(os.environ, ASAN_OPTIONS=":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "detect_leaks=0"])))


def failing_io(binary):
    """Unreadable input and unwritable output end with status 1 and a message."""
    sh = lambda cmd: subprocess.run(["sh", "-c", cmd, "sh", binary], capture_output=True, timeout=20)
    r = sh('echo 1 1 1 5 | "$1" > /dev/full')
    check(f"{binary} /dev/full", (r.returncode, r.stderr) == (1, said(binary, b"writing output: No space left on device\n")), r)
    r = sh('echo 1 1 1 5 | "$1" >&-')
    check(f"{binary} closed output", (r.returncode, r.stderr) == (1, said(binary, b"writing output: Bad file descriptor\n")), r)
    r = sh('"$1" <&-')
    check(f"{binary} closed input", (r.returncode, r.stderr) == (1, said(binary, b"reading input: Bad file descriptor\n")), r)
    r = sh('"$1" < /')
    check(f"{binary} directory input", (r.returncode, r.stderr) == (1, said(binary, b"reading input: Is a directory\n")), r)
    r = sh('echo 0 | "$1" > /dev/full')
    check(f"{binary} nothing to write", (r.returncode, r.stderr) == (0, b""), r)
    r = sh('echo 0 | "$1" >&-')
    check(f"{binary} nothing to write, output closed", (r.returncode, r.stderr) == (0, b""), r)
    failing_close(binary)
    # A reader that goes away: the writer ends at once, by SIGPIPE or status 1.
    with held(b"200000 " + b"1 1 7 " * 200000) as f:
        p = subprocess.Popen([binary], stdin=f, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    first = p.stdout.readline()
    p.stdout.close()
    try:
        code = p.wait(timeout=10)
    except subprocess.TimeoutExpired:
        p.kill()
        code = "hang"
    check(f"{binary} closed reader", (first, code in (-13, 1)) == (b"1\n", True), (first, code))


def failing_close(binary):
    """A write error that standard output reports only when it is closed,
    as some network file systems do, is status 1 with a message: strace
    makes the program's close of descriptor 1 fail."""
    if not shutil.which("strace"):
        return print(f"skipped: {binary} with a failing close, there is no strace (apt-get install strace)")
    with tempfile.NamedTemporaryFile() as log:
        strace = ["strace", "-qq", "-o", log.name, "-e", "trace=close"]
        subprocess.run(strace + [binary], input=b"1 1 1 5", capture_output=True, timeout=20, env=UNCHECKED)
        calls = [line for line in open(log.name) if line.startswith("close(")]
    nth = next((i + 1 for i, line in enumerate(calls) if line.startswith("close(1)")), None)
    if nth is None:
        return check(f"{binary} closes its output", False, calls)
    r = subprocess.run(strace + ["-e", f"inject=close:error=EIO:when={nth}", binary], input=b"1 1 1 5",
                       capture_output=True, timeout=20, env=UNCHECKED)     # the leak check cannot run traced
    check(f"{binary} failing close", (r.returncode, r.stderr) == (1, said(binary, b"writing output: Input/output error\n")), r)


def interactive(binary):
    """A line is written as soon as its test case is complete, and nothing
    past the last test case is waited for."""
    p = subprocess.Popen([binary], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    timer = threading.Timer(10, p.kill)
    timer.start()
    try:
        p.stdin.write(b"2 1 1 5\n")
        p.stdin.flush()
        first = p.stdout.readline()
        p.stdin.write(b"1 2 5 6\n")
        p.stdin.flush()
        rest = p.stdout.read()
    except OSError:
        first = rest = b"killed while waiting"
    code = p.wait()
    timer.cancel()
    check(f"{binary} interactive", (first, rest, code) == (b"1\n", b"3\n", 0), (first, rest, code))


# Input used, output, and what follows: a clean finish leaves a regular file
# just after the last digit used, and takes one byte more from a pipe.
CHUNK = 131072          # the program reads a regular file this much at a time
LEFT = [
    (b"1 1 1 5", b"1\n", b" tail"),
    (b"1 1 1 5", b"1\n", b"x"),
    (b"0", b"", b"x10"),
    (b"1 0 0", b"0\n", b" tail"),
    (b"2 1 1 5 1 2 6 7", b"1\n3\n", b"\n" + b"x" * (CHUNK + 100)),
    (b"1 1 1" + b" " * (CHUNK - 6) + b"5", b"1\n", b" after a last digit ending the first read"),
    (b"1 1 1" + b"\t" * (CHUNK - 9) + b"-0012345", b"1\n", b"\vafter a number across two reads"),
]


def shared(binary):
    """Input after the last number used is left to the next command."""
    for i, (used, out, rest) in enumerate(LEFT):
        with tempfile.NamedTemporaryFile() as f:
            f.write(used + rest)
            f.flush()
            for how, left in (('< "$2"', rest), ('cat "$2" |', rest[1:])):
                cmd = f'{how} {{ "$1"; cat; }}' if how[0] == "c" else f'{{ "$1"; cat; }} {how}'
                r = subprocess.run(["sh", "-c", cmd, "sh", binary, f.name], capture_output=True, timeout=20)
                check(f"{binary} left #{i} {how}", (r.returncode, r.stdout) == (0, out + left), r)


def shapes():
    """Inputs shaped like the bench's, smaller: test cases of rows of ten
    random codes, tiny test cases, and numbers after white space of every
    length."""
    sys.path.insert(0, os.path.join(os.path.dirname(HERE), "bench"))
    import gen  # the bench's generator, wanted by this group alone
    rng = random.Random(3)
    yield "ten", ("2\n" + gen.case(gen.full(rng, 50000), 5000) * 2).encode()
    yield "tiny", ("30000\n" + "".join(gen.case([rng.randrange(10) for _ in range(4)], 2, 2)
                                        for _ in range(30000))).encode()
    yield "spaced", gen.spaced(rng, [1, 5000, 10] + gen.full(rng, 50000)).encode()


def fast(binary):
    """A build whose fast loop takes plain blocks, counting them, leaves at
    most two a read to the general loop (the one where the data read ends,
    which cuts a number, and one more), and takes the others whole."""
    for name, data in shapes():
        with held(data) as f:
            r = run(binary, None, stdin=f, timeout=60, env=dict(os.environ, A_BLOCKS="1"))
        words = r.stderr.split()
        taken, left = (int(words[1]), int(words[4])) if len(words) == 6 else (0, 1 << 40)
        reads = (len(data) + CHUNK - 1) // CHUNK
        ok = r.stdout == want(data)[0] and left <= 2 * reads and taken + left >= len(data) // 64
        check(f"{binary} counts the fast loop's blocks on {name}", ok,
              f"{r.stderr!r}: {len(data) // 64} blocks in {reads} reads")


# A largest test case of distinct codes drawn at random: a hash that is not
# one-to-one for some seeds merges a few of them.
WIDE = b"1 50001 10 " + b" ".join(b"%d" % c for c in random.Random(2).sample(range(-2**31, 2**31), 500010))


def seeded(binary):
    """Distinct codes stay apart whatever this run's seed of the hash is;
    several runs try several seeds."""
    codes = b" ".join(b"%d" % c for c in list(range(10)) + list(range(-2**31, -2**31 + 10)))
    for i in range(12):
        expect(binary, f"seed #{i}", b"1 2 10 " + codes, b"2046\n")
    # A run merges some of them for one seed in three: the quick suite, on
    # one build, tries many seeds; the whole one, on four, fewer each.
    for i in range(12 if "--quick" in sys.argv else 4):
        expect(binary, f"wide seed #{i}", WIDE, b"51151023\n")


def cpu(binary, data):
    """CPU seconds, user and system, of one run of binary on data."""
    with held(data) as f:
        p = subprocess.Popen([binary], stdin=f, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, p.returncode, use = os.wait4(p.pid, 0)
    return use.ru_utime + use.ru_stime


def unseeded(binary, which):
    """Without a random source the mix still spreads ordinary codes: a test
    case of the codes 0 to 199,999 in order takes the build that has none
    (which) at most a few times what it takes binary, the least of three
    runs each."""
    data = b"1 20000 10 " + b" ".join(b"%d" % i for i in range(200000))
    least = {b: min(cpu(b, data) for _ in range(3)) for b in (binary, which)}
    check(f"{which} without a random source", least[which] <= 4 * least[binary] + 0.05, least)


def piecewise(binary, data, seed, env=None, timeout=60):
    """Feed data through a pipe in small pieces, pausing now and then; a
    run past the timeout is killed and counts as status 'hang'."""
    rng = random.Random(seed)
    p = subprocess.Popen([binary], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    fired = []
    timer = threading.Timer(timeout, lambda: fired.append(p.kill()))
    timer.start()

    def feed():
        try:
            i = 0
            while i < len(data):
                k = rng.randint(1, 40)
                p.stdin.write(data[i:i + k])
                p.stdin.flush()
                i += k
                if rng.random() < 0.05:
                    time.sleep(0.001)
            p.stdin.close()
        except BrokenPipeError:
            pass

    t = threading.Thread(target=feed)
    t.start()
    out, err = p.stdout.read(), p.stderr.read()
    t.join()
    status = p.wait()
    timer.cancel()
    return out, "hang" if fired else status, err


def want(data):
    """The output, status and error the model says data must give."""
    lines, message = judge(data)
    return b"".join(b"%d\n" % v for v in lines), 1 if message else 0, message or b""


def difference(want, got):
    """Where a run's (output, status, error) first parts from what is due."""
    if got[1] != want[1]:
        return f"status {got[1]} {got[2]!r:.300}, want {want[1]}"
    if got[0] != want[0]:
        a, b = want[0].split(b"\n"), got[0].split(b"\n")
        i = next(i for i, (x, y) in enumerate(zip(a + [b"(none)"], b + [b"(none)"])) if x != y)
        return f"line {i + 1}: {b[i] if i < len(b) else b'(none)'!r}, want {a[i]!r}"
    return f"error {got[2]!r:.300}, want {want[2]!r}"


def attempt(binary, group, n, data, due, path):
    """Run binary on one generated input, from a regular file or, when path
    is None, a pipe fed in pieces; keep the input of a failure."""
    env = UNCHECKED if group in ("sweep", "mutated") else None
    due = due[0], due[1], said(binary, due[2])
    if path:
        with open(path, "rb") as f:
            r = run(binary, None, timeout=60, stdin=f, env=env)
        got = r.stdout, r.returncode, r.stderr
    else:
        got = piecewise(binary, data, n, env)
    if got == due:
        return check("", True)
    os.makedirs(os.path.join(BUILD, "failed"), exist_ok=True)
    keep = os.path.relpath(os.path.join(BUILD, "failed", f"{group}-{n}.in"))
    with open(keep, "wb") as f:
        f.write(data)
    lines, tail = due[0].count(b"\n"), due[0][-60:].decode(errors="replace").replace("\n", " ")
    check(f"{binary} {group}-{n}", False, f"{difference(due, got)}\n  reproduce: {binary} < {keep}\n"
          f"  due: status {due[1]}, {lines} lines ending '{tail}', error {due[2]!r}")


def cases(quick):
    """Every generated input by group: (group, input, whether to pipe it)."""
    rng = random.Random(1)
    tests = 200 if quick else int(os.environ.get("RANDOM_INPUTS", "2000"))
    damaged = 24 if quick else int(os.environ.get("MUTATED_INPUTS", "200"))
    out = [("sweep", d, False) for d in sweep(quick)]
    out += [("twice", twice(), False), ("seen", full(), False)]
    out += [("crowded", crowded(i), i % 4 == 3) for i in range(4 if quick else 16)]
    out += [("edges", d, False) for d in edges()]
    out += [("spaced", spaced(i), i % 2 == 1) for i in range(2 if quick else 6)]
    packs = [generate(rng, 200) for _ in range(max(1, tests // 200))]
    out += [("random", d, i == len(packs) - 1) for i, d in enumerate(packs)]
    out += [("mutated", mutate(generate(rng), rng), i % 8 == 7) for i in range(damaged)]
    folder = os.path.join(HERE, "corpus")
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            out.append(("corpus", f.read(), False))
    return out


def model_cases():
    """The model gives what every exact case says."""
    for group, data, out, rc, err in CASES:
        check(f"model on {data[:40]!r}", want(data) == (out, rc, err), want(data))


# The groups that run on each binary, by name, and those on ./a alone.
EACH = {"exact": exact, "failing io": failing_io, "interactive": interactive, "left unread": shared,
        "seeds": seeded}
STREAMS = {"refills": refills, "long numbers": long_numbers, "packets": packets, "non-blocking": nonblocking,
           "arguments": arguments}


def main():
    quick = "--quick" in sys.argv
    args, binaries, named = [b for b in sys.argv[1:] if b not in ("--quick", "--stop")], [], {}
    while args:
        a = args.pop(0)
        if a in ("--which", "--fast"):
            named.setdefault(a, []).append(args.pop(0))
        else:
            binaries.append(a)
    which = named.get("--which", [None])[0]
    work = [("model", model_cases)] + [("fast loop", fast, b) for b in named.get("--fast", [])]
    work += [("made up", madeup, which, check)] if which else []
    for b in binaries:
        work += [(g, f, b) for g, f in EACH.items()] + [(g, f, b, check, quick) for g, f in STREAMS.items()]
        if os.path.basename(b) == "a":
            work.append(("processors", processors, b, check, quick, which))
            work += [("no entropy", unseeded, b, which)] if which else []
    generated = cases(quick)
    for job in work:
        groups.expect(job[0])
    for group, _, _ in generated:
        groups.expect(group, len(binaries))
    global scratch
    os.makedirs(BUILD, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="tests-", dir=BUILD)
    try:
        jobs, seq = [], {}
        with ThreadPoolExecutor(max_workers=4) as pool:
            jobs += [pool.submit(groups.run, *job) for job in work]
            for group, data, piped in generated:
                n = seq[group] = seq.get(group, 0) + 1
                path = None if piped else os.path.join(scratch, f"{group}-{n}.in")
                if path:
                    with open(path, "wb") as f:
                        f.write(data)
                due = want(data)
                jobs += [pool.submit(groups.run, group, attempt, b, group, n, data, due, path) for b in binaries]
            for j in jobs:
                j.result()
    finally:
        shutil.rmtree(scratch)
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
