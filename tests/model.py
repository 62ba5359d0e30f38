"""An independent model of the counting filter, random inputs for it, and
what the tests share: the name a binary writes its messages under, a file
to run it on, the line of a group's counts."""
import contextlib, os, re, tempfile

WHITE = b" \t\n\v\f\r"
NUM = re.compile(rb"[ \t\n\v\f\r]*([+-]?0*[0-9]{1,10})(?![0-9])")
TOKEN = re.compile(rb"[ \t\n\v\f\r]*([^ \t\n\v\f\r]*)")
ROW = {}  # m: a pattern of m numbers
CUT = 20  # token bytes a message shows
BAD = [b"x", b"-", b"+", b"+-3", b"- 5", b"\x00", b"12a", b"2147483648", b"-2147483649",
       b"12345678901", b"0" * 70 + b"99999999999", b'"\\\x7f\xff' * 6, b"9" * 40]


def count(rows, brute=True):
    """Count, row by row, the subsets of positions holding a fresh code: by
    enumerating every subset, or (brute=False, for large test cases) by the
    closed form 2^b * (2^f - 1)."""
    met, total = set(), 0
    for row in rows:
        fresh = 0
        for k, code in enumerate(row):
            if code not in met:
                fresh |= 1 << k
                met.add(code)
        if brute:
            total += sum(1 for s in range(1, 1 << len(row)) if s & fresh)
        else:
            f = bin(fresh).count("1")
            total += (2**f - 1) << (len(row) - f)
    return total


def shown(token):
    """A bad token as the program's message shows it."""
    out = bytearray()
    for c in token[:CUT]:
        out += b"\\" + bytes([c]) if c in b'"\\' else bytes([c]) if 0x20 <= c < 0x7f else b"\\x%02x" % c
    return b'"' + out + (b'..."' if len(token) > CUT else b'"')


class Fault(Exception):
    pass


def spot(data, at):
    """Where the byte at offset at stands: b"line L, column C: "."""
    line0 = data.rfind(b"\n", 0, at) + 1
    return b"line %d, column %d: " % (data.count(b"\n", 0, at) + 1, at - line0 + 1)


def judge(data):
    """The totals the filter must write for data, and the message it must
    then end with (status 1), or None when it must finish (status 0). The
    message leaves out the program's name and the colon after it."""
    pos, lines, start = 0, [], [0]

    def num(what, *place):
        nonlocal pos
        m = NUM.match(data, pos)
        if m and -2**31 <= int(m.group(1)) < 2**31:
            pos, start[0] = m.end(), m.start(1)
            return int(m.group(1))
        t = TOKEN.match(data, pos)
        token, big = t.group(1), re.match(rb"[+-]?[0-9]", t.group(1))
        found = shown(token) + b" (out of range)" * bool(big) if token else b"end of input"
        raise Fault(spot(data, t.start(1)) + where(*place) + b"expected %s, found %s" % (what, found))

    def codes(t, r, m):
        """A row of m codes, by one match when it reads cleanly."""
        nonlocal pos
        row = ROW.get(m) or ROW.setdefault(m, re.compile(NUM.pattern * m))
        x = row.match(data, pos)
        values = [int(v) for v in x.groups()] if x else []
        if x and -2**31 <= min(values) and max(values) < 2**31:
            pos = x.end()
            return values
        return [num(b"an item code", t, r, k) for k in range(1, m + 1)]

    def where(*place):
        names = (b"test case %d", b"row %d", b"entry %d")
        return b", ".join(n % v for n, v in zip(names, place)) + (b": " if place else b"")

    try:
        for t in range(1, num(b"the number of test cases") + 1):
            n = num(b"the number of rows", t)
            at_n = start[0]
            m = num(b"the number of entries per row", t)
            if n > 0 and not 0 <= m <= 10:
                raise Fault(spot(data, start[0]) + where(t) + b"expected 0 to 10 entries per row, found %d" % m)
            if n > 50001 and m > 0:
                raise Fault(spot(data, at_n) + where(t) + b"expected at most 50001 rows, found %d" % n)
            rows = [codes(t, r, m) for r in range(1, n + 1 if m > 0 else 0)]
            lines.append(count(rows, n * m <= 4000))
    except Fault as e:
        return lines, e.args[0] + b"\n"
    return lines, None


def said(binary, message):
    """A message as binary writes it, after its name: the last part of its
    path, or of the binary that a wrapper run-NAME for another processor
    runs."""
    base = os.path.basename(binary)
    return (base[4:] if base.startswith("run-") else base).encode() + b": " + message if message else b""


@contextlib.contextmanager
def held(data):
    """A file holding data, open at its start: standard input that is a file."""
    with tempfile.TemporaryFile() as f:
        f.write(data)
        f.seek(0)
        yield f


def tally(group, good, bad, seconds):
    """The line that says how a group of checks did."""
    return f"{group:<16} {good:6d} passed {bad:4d} failed {seconds:7.1f} s"


def render(v, rng):
    s = b"%d" % abs(v)
    if rng.random() < 0.05:
        s = b"0" * rng.randint(1, 70) + s
    sign = b"-" if v < 0 else b"+" if rng.random() < 0.05 else b""
    return sign + s


def space(rng):
    """A run of white space mixing all six kinds, mostly short."""
    return bytes(rng.choices(WHITE, k=rng.choice([1, 1, 2, rng.randint(1, 100)])))


def generate(rng, tests=None):
    """A well-formed input of a few test cases (or of the given number)."""
    t = tests or rng.randint(1, 6)
    nums = [t]
    for _ in range(t):
        n = rng.choice([0, 1, 2, rng.randint(-2, 12), rng.randint(1, 40)])
        m = rng.randint(0, 10)
        # Codes from a range about as wide as the test case mix repeats of
        # early codes with fresh ones, whatever its size.
        lo, hi = rng.choice([(0, 3), (-5, 5), (0, 60), (0, max(n, 1) * m), (-2**31, 2**31 - 1)])
        nums += [n, m] + [rng.randint(lo, hi) for _ in range(max(n, 0) * m)]
    out = bytearray(space(rng) if rng.random() < 0.5 else b"")
    for v in nums:
        out += render(v, rng) + space(rng)
    if tests is None and rng.random() < 0.2:
        out += rng.choice([b"junk 1 2", b"\x00\xff", b"9" * 40])
    return bytes(out)


def mutate(data, rng):
    """Damage an input: cut it, flip bytes, put a bad token in place of or
    before any number (the count, a size or a code), or make a size huge."""
    data = bytearray(data)
    for _ in range(rng.randint(1, 3)):
        i = rng.randrange(len(data) + 1)
        spans = [n.span() for n in re.finditer(rb"[+-]?[0-9]+", data)] or [(i, i)]
        a, b = rng.choice(spans)
        kind = rng.randrange(5)
        if kind == 0:
            del data[i:]
        elif kind == 1 and i < len(data):
            data[i] ^= 1 << rng.randrange(8)
        elif kind == 2:
            data[a:rng.choice([a, b])] = rng.choice(BAD) + rng.choice([b"", b" "])
        elif kind == 3:
            data[a:b] = rng.choice([b"2000000000", b"50002", b"11", b"-1"])
        else:
            data[b:b] = b"9" * rng.randint(1, 12)
    return bytes(data)
