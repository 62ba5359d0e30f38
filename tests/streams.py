"""Tests of how the filter meets its descriptors and its processor: input
held by a large pipe or a socket, descriptors another program left
non-blocking, arguments, and the x86 code chosen under processors that
lack an extension. Each takes the binary, a check(name, ok, detail) to
report to, and whether the run is the quick one."""
import fcntl, os, platform, pty, random, shutil, socket, subprocess, threading, time
from model import judge, generate, mutate, said, held

F_SETPIPE_SZ = 1031
SAMPLE = b"3 2 2 1 2 2 3 3 3 7 7 7 1 2 3 8 7 -1 1 10 1 2 3 4 5 6 7 8 9 10\n"
SAMPLE_OUT = b"5\n17\n1023\n"


def lines(data):
    return b"".join(b"%d\n" % v for v in judge(data)[0])


def owed(t, n, m, first, zeros):
    """T test cases, the first of n rows of m one-byte codes after a code
    first, the others empty, n written with leading zeros; then EXTRA. The
    numbers still owed at the second read of the codes fall about 65536."""
    codes = [first] + [b"1"] * (n * m - 1) + [b"0"] * (2 * (t - 1))
    return b"%d %s%d %d " % (t, b"0" * zeros, n, m) + b" ".join(codes) + b"\nEXTRA"


def transports(data):
    """The data, written whole before the run, into a pipe enlarged to 1 MiB
    and into a socket: (name, the descriptor to read it from)."""
    r, w = os.pipe()
    fcntl.fcntl(w, F_SETPIPE_SZ, 1 << 20)
    os.write(w, data)
    os.close(w)
    yield "pipe", r
    a, b = socket.socketpair()
    b.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1 << 21)
    a.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1 << 21)
    b.sendall(data)
    b.shutdown(socket.SHUT_WR)
    b.close()
    yield "socket", a.detach()


def refills(binary, check, quick):
    """Reads with about 65536 numbers owed, some with a whole number carried
    over, leave every byte after the last number to the next reader."""
    shapes = [(1, 13107, 10), (3, 14563, 9), (2, 13107, 10), (1, 16384, 8)]
    for t, n, m in shapes[1:3] if quick else shapes:
        for first in (b"10", b"100"):
            for zeros in range(4):
                data = owed(t, n, m, first, zeros)
                due = (lines(data), 0, b"", b"EXTRA")
                for how, fd in transports(data):
                    r = subprocess.run([binary], stdin=fd, capture_output=True, timeout=60)
                    got = (r.stdout, r.returncode, r.stderr, os.read(fd, 100))
                    os.close(fd)
                    check(f"{binary} owed {how} {t} {n} {m} {first} {zeros}", got == due, got[1:])


def calls(binary, data):
    """Run binary on data held whole by a 1 MiB pipe: its output, status, the
    read calls it made and what it left in the pipe."""
    r, w = os.pipe()
    fcntl.fcntl(w, F_SETPIPE_SZ, 1 << 20)
    os.write(w, data)
    os.close(w)
    p = subprocess.Popen([binary], stdin=r, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    timer = threading.Timer(60, p.kill)	# a binary that hangs fails instead
    timer.start()
    out = p.stdout.read()
    timer.cancel()
    os.waitid(os.P_PID, p.pid, os.WEXITED | os.WNOWAIT)  # its counts stay readable until it is reaped
    with open(f"/proc/{p.pid}/io") as f:
        reads = int(dict(line.split(": ") for line in f.read().splitlines())["syscr"])
    left = os.read(r, 100)
    os.close(r)
    return out, p.wait(), reads, left


def long_numbers(binary, check, quick):
    """A number of 200,000 bytes read through a pipe, last or first of those
    owed, costs a few reads a pipe's worth, and leaves what follows it."""
    start = calls(binary, b"0")[2]
    zeros = b"0" * 200000
    for data, out in ((b"1 1 1 " + zeros + b"5\ntail", b"1\n"), (b"1 1 3 " + zeros + b"5 6 7\ntail", b"7\n")):
        got, status, reads, left = calls(binary, data)
        check(f"{binary} long number {data[:6]!r}", (got, status, left) == (out, 0, b"tail") and reads - start < 40,
              (got, status, left, reads - start))


def senders(kind):
    """A descriptor to read from and a function that sends it one packet,
    or None at the end: a pipe in packet mode, or a socket of sequenced
    packets or of datagrams (whose end is an empty one)."""
    if kind == "pipe":
        r, w = os.pipe2(os.O_DIRECT)
        return r, lambda b: os.write(w, b) if b is not None else os.close(w)
    a, b = socket.socketpair(socket.AF_UNIX, getattr(socket, kind))
    b.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 1 << 20)
    return a.detach(), lambda m: b.send(m) if m is not None else (kind == "SOCK_DGRAM" and b.send(b""), b.close())


def packeted(binary, kind, parts):
    """Run binary on the parts, sent one packet each by a thread as it reads."""
    fd, send = senders(kind)
    p = subprocess.Popen([binary], stdin=fd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    os.close(fd)

    def feed():
        try:
            for part in parts + [None]:
                send(part)
        except OSError:
            pass
    t = threading.Thread(target=feed)
    t.start()
    try:
        out, err = p.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        p.kill()
        out, err = p.communicate()
    t.join()
    return out, p.returncode, err


def packets(binary, check, quick):
    """Input that comes in packets, from a pipe in packet mode and from
    sockets of packets or datagrams, gives what a file gives: whole packets
    are never cut short, however few numbers are owed, and one message may
    be larger than any read."""
    rng = random.Random(11)
    data = generate(rng, 100 if quick else 400)
    random_parts, i = [], 0
    while i < len(data):     # packets of 1 to 4096 bytes, many of them cutting numbers
        k = rng.choice([rng.randint(1, 16), rng.randint(1, 4096)])
        random_parts.append(data[i:i + k])
        i += k
    big = b"1 1 1 " + b" " * 199988 + b"-123456\n"   # one message of 200,000 bytes
    sample = [b"3\n", b"2 2\n1 2\n", b"2 3\n", b"3 3\n7 7 7\n1 2 3\n", b"8 7 -1\n1 10\n", b"1 2 3 4 5 6 7 8 9 10\n"]
    for kind in ("pipe", "SOCK_SEQPACKET", "SOCK_DGRAM"):
        check(f"{binary} sample in packets, {kind}", packeted(binary, kind, sample) == (SAMPLE_OUT, 0, b""), kind)
        due = lines(data), 0, b""
        got = packeted(binary, kind, random_parts)
        check(f"{binary} random input in packets, {kind}", got == due, (kind, got[1:]))
        if kind != "pipe":
            check(f"{binary} one large message, {kind}", packeted(binary, kind, [big]) == (b"1\n", 0, b""), kind)


def nonblocking(binary, check, quick):
    """Standard input fed slowly and standard output read late, both left
    non-blocking: the run waits for them instead of failing."""
    rng = random.Random(5)
    data = generate(rng, 300)
    r, w = os.pipe()
    fcntl.fcntl(r, fcntl.F_SETFL, fcntl.fcntl(r, fcntl.F_GETFL) | os.O_NONBLOCK)
    p = subprocess.Popen([binary], stdin=r, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    os.close(r)

    def feed():
        try:
            for i in range(0, len(data), 997):
                os.write(w, data[i:i + 997])
                time.sleep(0.002)
        except BrokenPipeError:
            pass
        os.close(w)
    feeder = threading.Thread(target=feed)
    feeder.start()
    out, err = p.communicate(timeout=60)
    feeder.join()  # it closes w, which names another pipe below
    check(f"{binary} non-blocking input", (out, p.returncode, err) == (lines(data), 0, b""), (p.returncode, err))

    data = b"100000 " + b"1 1 5 " * 100000      # 200,000 bytes of output
    r, w = os.pipe()
    fcntl.fcntl(w, fcntl.F_SETFL, fcntl.fcntl(w, fcntl.F_GETFL) | os.O_NONBLOCK)
    with held(data) as f:
        p = subprocess.Popen([binary], stdin=f, stdout=w, stderr=subprocess.PIPE)
    os.close(w)
    time.sleep(0.3)
    out = b""
    while chunk := os.read(r, 1 << 16):
        out += chunk
    os.close(r)
    err = p.stderr.read()
    check(f"{binary} non-blocking output", (out, p.wait(), err) == (b"1\n" * 100000, 0, b""), (p.returncode, err))


def arguments(binary, check, quick):
    """Arguments are ignored with a warning, whatever standard input is."""
    text = b"reads standard input only; ignoring arguments\n"
    warning = said(binary, text)
    for args, err in (["x"], warning), (["data.txt", "-"], warning), ([], b""):
        for how in ("file", "pipe", "terminal"):
            if how == "terminal":
                master, slave = pty.openpty()
                p = subprocess.Popen([binary, *args], stdin=slave, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                os.close(slave)
                os.write(master, SAMPLE)
                got = p.communicate(timeout=20)
                os.close(master)
            elif how == "file":
                with held(SAMPLE) as f:
                    p = subprocess.run([binary, *args], stdin=f, capture_output=True, timeout=20)
                got = p.stdout, p.stderr
            else:
                p = subprocess.run([binary, *args], input=SAMPLE, capture_output=True, timeout=20)
                got = p.stdout, p.stderr
            check(f"{binary} arguments {args} from a {how}", (got, p.returncode) == ((SAMPLE_OUT, err), 0), got)
    for argv0, name in ("/usr/local/bin/rows", b"rows"), ("rows", b"rows"), ("", b"a"), ("bin/", b"a"):
        if not os.path.basename(binary).startswith("run-"):	# a wrapper passes on its own name
            p = subprocess.run([argv0, "x"], executable=binary, input=SAMPLE, capture_output=True, timeout=20)
            got = p.stdout, p.stderr, p.returncode
            check(f"{binary} run as {argv0!r}", got == (SAMPLE_OUT, name + b": " + text, 0), got)


# Processors without some extension the x86 code may use, and the code
# the default build must take on each: the AVX2 code needs AVX2, BMI1, BMI2,
# LZCNT (with ABM) and POPCNT.
MODELS = {"max": "avx2", "max,-avx2": "sse2", "max,-bmi1": "sse2", "max,-bmi2": "sse2",
          "max,-abm": "sse2", "max,-popcnt": "sse2", "Nehalem": "sse2", "qemu64": "sse2"}


def processors(binary, check, quick, which=None):
    """The default build under qemu's processor models gives the lines, the
    status and the message due, on test cases small enough to be counted
    without the seen set and larger ones, and on damaged inputs (the code
    each model takes must find the fault where the native one does); a
    build that names the code it takes (which) takes the code due."""
    qemu = shutil.which("qemu-x86_64")
    if platform.machine() != "x86_64" or not qemu:
        return print(f"skipped: {binary} under other x86-64 processors, "
                     + ("there is no qemu-x86_64 (apt-get install qemu-user)" if platform.machine() == "x86_64"
                        else "this is not x86-64"))
    rng = random.Random(9)
    inputs = [generate(rng, 400)] + [mutate(generate(rng, 20), rng) for _ in range(4)]
    models = list(MODELS)[:3] if quick else list(MODELS)
    for model, (i, data) in ((m, d) for m in models for d in enumerate(inputs)):
        r = subprocess.run([qemu, "-cpu", model, binary], input=data, capture_output=True, timeout=120)
        message = judge(data)[1]
        due = lines(data), 1 if message else 0, said(binary, message or b"")
        check(f"{binary} under -cpu {model}, input {i}", (r.stdout, r.returncode, r.stderr) == due,
              (r.returncode, r.stderr))
    for model in models if which else []:
        r = subprocess.run([qemu, "-cpu", model, which], input=SAMPLE, capture_output=True, timeout=60)
        name = said(which, b"the %s code\n" % MODELS[model].encode())
        check(f"{which} takes the {MODELS[model]} code under -cpu {model}", r.stderr == name, r.stderr)


# Where cpuid and XCR0 show each extension and state the x86 code needs, as
# the test build takes them from A_CPUID: the word (leaf 1's ecx and edx,
# leaf 7's ebx and ecx, leaf 0x80000001's ecx, XCR0) and the bit. The
# AVX-512 code needs them all, the AVX2 code those before "avx512f".
NEEDS = {"ssse3": (0, 9), "sse4.1": (0, 19), "popcnt": (0, 23), "osxsave": (0, 27), "avx": (0, 28),
         "avx2": (2, 5), "bmi1": (2, 3), "bmi2": (2, 8), "lzcnt": (4, 5), "sse state": (5, 1),
         "avx state": (5, 2), "avx512f": (2, 16), "avx512bw": (2, 30), "avx512vbmi": (3, 1),
         "avx512vbmi2": (3, 6), "opmask state": (5, 5), "zmm state": (5, 6), "zmm16 state": (5, 7)}


def madeup(which, check):
    """The test build names the code it would take on processors the test
    makes up: the AVX-512 code with every extension and state it needs
    present, and the next best without any one of them."""
    if platform.machine() != "x86_64":
        return print(f"skipped: {which} on made-up processors, this is not x86-64")

    def answers(without):
        words = [0, 1 << 26, 0, 0, 0, 0]    # SSE2 in leaf 1's edx
        for name, (word, bit) in NEEDS.items():
            words[word] |= (name != without) << bit
        return " ".join("%x" % w for w in words)
    names = list(NEEDS)
    for without in [None] + names:
        due = ("avx512" if without is None else "avx2" if names.index(without) >= names.index("avx512f")
               else "sse2")
        r = subprocess.run([which], input=b"", capture_output=True, timeout=20,
                           env=dict(os.environ, A_CPUID=answers(without)))
        name = said(which, b"the %s code\n" % due.encode())
        check(f"{which} takes the {due} code without {without}", (r.stderr, r.returncode) == (name, 0), r.stderr)
