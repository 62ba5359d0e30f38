"""Tests of how the filter meets its descriptors and its processor: input
held by a large pipe or a socket, descriptors another program left
non-blocking, arguments, and the x86 code chosen under processors that
lack an extension. Each takes the binary, a check(name, ok, detail) to
report to, and whether the run is the quick one."""
import fcntl, os, platform, pty, random, shutil, socket, subprocess, tempfile, threading, time
from model import judge, generate

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
    with tempfile.TemporaryFile() as f:
        f.write(data)
        f.seek(0)
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
    warning = b"a: reads standard input only; ignoring arguments\n"
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
                with tempfile.TemporaryFile() as f:
                    f.write(SAMPLE)
                    f.seek(0)
                    p = subprocess.run([binary, *args], stdin=f, capture_output=True, timeout=20)
                got = p.stdout, p.stderr
            else:
                p = subprocess.run([binary, *args], input=SAMPLE, capture_output=True, timeout=20)
                got = p.stdout, p.stderr
            check(f"{binary} arguments {args} from a {how}", (got, p.returncode) == ((SAMPLE_OUT, err), 0), got)


# Processors without some extension the x86 code may use, and the code
# the default build must take on each: the AVX2 code needs AVX2, BMI1, BMI2,
# LZCNT (with ABM) and POPCNT.
MODELS = {"max": "avx2", "max,-avx2": "sse2", "max,-bmi1": "sse2", "max,-bmi2": "sse2",
          "max,-abm": "sse2", "max,-popcnt": "sse2", "Nehalem": "sse2", "qemu64": "sse2"}


def processors(binary, check, quick, which=None):
    """The default build under qemu's processor models gives the lines of a
    native run, on test cases small enough to be counted without the seen
    set and larger ones; a build that names the code it takes (which) takes
    the code due."""
    qemu = shutil.which("qemu-x86_64")
    if platform.machine() != "x86_64" or not qemu:
        return print(f"skipped: {binary} under other x86-64 processors, "
                     + ("there is no qemu-x86_64 (apt-get install qemu-user)" if platform.machine() == "x86_64"
                        else "this is not x86-64"))
    data = generate(random.Random(9), 400)
    due = lines(data), 0, b""
    models = list(MODELS)[:3] if quick else list(MODELS)
    for model in models:
        r = subprocess.run([qemu, "-cpu", model, binary], input=data, capture_output=True, timeout=120)
        check(f"{binary} under -cpu {model}", (r.stdout, r.returncode, r.stderr) == due, (r.returncode, r.stderr))
    for model in models if which else []:
        r = subprocess.run([qemu, "-cpu", model, which], input=SAMPLE, capture_output=True, timeout=60)
        name = b"a: the %s code\n" % MODELS[model].encode()
        check(f"{which} takes the {MODELS[model]} code under -cpu {model}", r.stderr == name, r.stderr)
