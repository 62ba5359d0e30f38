"""Generated inputs that put numbers where a reader is likely to slip: every
kind of number in every field, after white space runs of every length, on
every offset of a 64-byte block and across the program's read boundaries;
codes written two ways; and a test case that fills the seen set."""
import itertools
import random
from model import WHITE

CHUNK = 1 << 17  # the program reads a regular file this many bytes at a time
GOOD = [b"0", b"-1", b"2147483647", b"-2147483648", b"0" * 65 + b"5", b"-" + b"0" * 70 + b"2147483648",
        b"+0000000002147483647", b"1", b"+0", b"-0", b"007", b"-2147483647", b"+2147483647",
        b"1000000000", b"-1999999999", b"+0000000000000005"]  # the first few also across read boundaries
BAD = [b"2147483648", b"-2147483649", b"+2147483648", b"2147483649", b"9999999999", b"12345678901",
       b"-12345678901", b"0" * 70 + b"2147483648", b"-", b"+", b"- 5", b"12a", b"x\\\"\x01",
       b"\x01", b"\x0f\x0e", b"\x80\xff", b"\x7f5",  # control bytes and high ones: neither white space nor a sign
       b"abcdefghijklmnopqrs", b"abcdefghijklmnopqrst", b"00000000099999999999", b"000000000999999999999"]
CUTS = BAD[-4:]  # 19 to 21 bytes: the message shows 20
# After every run length: ten digits may fill a window, and of 17 bytes
# the last 16 fit in 32 bits.
LONG = [b"12345678901", b"-12345678901", b"10000000000000005"]
FIELDS = "nmc"
SPLITS = [(at, d) for at in "se" for d in range(-3, 4)]  # token start or end at CHUNK+d
WS = bytes(WHITE[(i * 7 + i // 6) % 6] for i in range(CHUNK + 200))


def blank(k, salt=0):
    """k bytes of white space of all six kinds."""
    return WS[salt % 64:salt % 64 + k]


FIELD = {"n": (b"0 0", 2), "m": (b"0", 1), "c": (b"1 2 ", 1)}  # what leads to it, test cases


def segment(token, field, w, here, place, step, r):
    """Test cases from offset here with token in the field (n, m or c for a
    code) after w bytes of white space, its start (place "s") or end ("e")
    at the first offset congruent to r modulo step that leaves room for a
    run of white space before them. A good code comes after its plain
    form, so that a misread makes it fresh. Returns the bytes before the token,
    those after it and the number of test cases."""
    lead, tests = FIELD[field]
    lead += (b"%d" % int(token) if token in GOOD else b"5") * (field == "c") + blank(w, len(token))
    lo = here + 1 + len(lead) + len(token) * (place == "e")
    start = lo + (r - lo) % step - len(token) * (place == "e")
    return blank(start - here - len(lead), w) + lead, b" 0" * (field == "n"), tests


def pack(probes):
    """One input of every (token, field, w, place, step, r) in probes."""
    body, tests = bytearray(b" " * 16), 0
    for token, field, w, place, step, r in probes:
        head, tail, k = segment(token, field, w, len(body), place, step, r)
        body += head + token + tail
        tests += k
    body[:15] = b"%-15d" % tests
    return bytes(body)


def alone(token, field, w, more, place="s", step=64, r=0):
    """An input with token in one field (or T), at the end or not (more),
    and when it is bad, the last thing read. Not at the end, a block of
    white space follows, so that the block reader meets the token inside
    the data, not in the block where the sentinel cuts it."""
    if field == "T":
        return blank(w) + token + (b" 1 1 7 0 0" if more else b"")
    head, tail, k = segment(token, field, w, 1, place, step, r)
    return b"%d" % k + head + token + (tail + b" 5 5\n" + blank(64) if more else b"")


def sweep(quick=False):
    """Good tokens packed into two inputs, one of them across read
    boundaries; each bad one, and each good one at the end, alone. A bad
    one comes after a short and a long run of white space, at the end and
    not (quick: short and not, long and at the end). Then tokens whose
    20th byte or whose end meets a read boundary, and inputs that end
    there."""
    near = itertools.product(GOOD, FIELDS, range(1, 71))
    cases = [pack((t, f, w, "s", 64, i * 29 % 64) for i, (t, f, w) in enumerate(near))]
    edge = itertools.product(GOOD[:7], FIELDS, SPLITS)
    cases.append(pack((t, f, 1 + i % 70, at, CHUNK, d) for i, (t, f, (at, d)) in enumerate(edge)))
    for j, t in enumerate(GOOD + BAD):
        for k, f in enumerate("Tnmc"):
            short, far = (j + k) % 6 or (f != "T"), 7 + (j * 11 + k * 17) % 64
            runs = [(far, 0)] if t in GOOD else [(short, 1), (far, 0)] + [(short, 0), (far, 1)] * (not quick)
            cases += [alone(t, f, w, more, "s", 64, (j * 13 + w) % 64) for w, more in runs]
    for i, (t, f) in enumerate(itertools.product(BAD, FIELDS)):
        at, d = SPLITS[i % len(SPLITS)]
        cases.append(alone(t, f, 1 + i * 5 % 70, i % 3 > 0, at, CHUNK, d))
    cases += [alone(t, "c", w, w % 2, "s", 64, w) for t in LONG for w in range(1, 71, 5 if quick else 1)]
    cases += [alone(t, "c", 3, more, "e", CHUNK, d) for t in CUTS for d in (0, 1) for more in (0, 1)]
    cases += [alone(t, "c", 2 + d, 0, "e", CHUNK, d) for t in GOOD[:7] for d in (-1, 0, 1)]
    return cases


SHORT = [b"%d" % i for i in range(12)] + [b"-3", b"+4", b"07", b"-0", b"+0"]
EIGHT = [b"99999999", b"-9999999", b"+9999999", b"00000001", b"-0000002"]  # the most a short window holds
NINE = [b"123456789", b"-12345678", b"+00000009", b"100000010"]  # a byte more
JOINED = [b"5-3", b"7+2", b"-1-1"]  # two numbers with nothing between


def crowded(seed):
    """Test cases of short codes, eight or more to a 64-byte block, with
    codes of eight and nine bytes and numbers run together among them."""
    rng = random.Random(seed)
    parts = []
    for _ in range(40):
        n, m = rng.randint(1, 6), rng.randint(1, 10)
        codes = []
        while len(codes) < n * m:
            pool = rng.choice([SHORT] * 6 + [EIGHT, NINE, JOINED])
            token = rng.choice(pool)
            if pool is not JOINED or len(codes) + 2 <= n * m:
                codes += [token] + [b""] * (pool is JOINED)
        gaps = [b" " * rng.choice((1, 1, 1, 2)) if rng.random() < 0.9 else blank(rng.randint(1, 9), rng.randrange(64))
                for _ in codes]
        parts.append(b"%d %d" % (n, m) + b"".join(g + c for g, c in zip(gaps, codes) if c))
    # A nine-byte code among one-byte ones, at each of four places, with its
    # last eight bytes as a code a block before it.
    for k in range(4):
        for nine in NINE:
            codes = [nine[-8:]] + [b"7"] * 40 + [b"%d" % i for i in range(k)] + [nine]
            parts.append(b"9 9 " + b" ".join(codes + [b"7"] * (81 - len(codes))))
    return b"%d\n" % len(parts) + b"\n".join(parts) + b"\n"


def edges():
    """Two numbers run together across the edge of a 64-byte block, after
    nothing the fast reader would leave to the exact one: a sign that looks
    like the middle of one run there must still start a number."""
    head = b"1\n1 2"
    return [head + blank(edge - cut - len(head)) + token + blank(70, cut) + b"\n"
            for token in JOINED for cut in range(1, len(token)) for edge in (64, 128)]


def spaced(seed):
    """Test cases whose codes sit after white space of every kind, mostly a
    few bytes but at times up to 400, so that blocks of white space alone
    come one after another at every offset; some codes have a + sign or
    leading zeros."""
    rng = random.Random(seed)
    parts = []
    for _ in range(3):
        n, m = rng.randint(50, 200), rng.randint(1, 10)
        body = b"%d %d" % (n, m)
        for _ in range(n * m):
            v = rng.randrange(-2**31, 2**31) if rng.random() < 0.5 else rng.randrange(-50, 50)
            sign = b"-" if v < 0 else b"+" * (rng.random() < 0.1)
            gap = rng.randrange(1, 5) if rng.random() < 0.9 else rng.randrange(1, 401)
            body += blank(gap, rng.randrange(64)) + sign + b"0" * rng.choice([0] * 9 + [1, 2, 5]) + b"%d" % abs(v)
        parts.append(body)
    return b"%d " % len(parts) + b"\n".join(parts) + b"\n"


def twice():
    """Every code +-d*10^k within 32 bits written plainly, then again with
    leading zeros, a plus sign or another white space run before it, so that
    a misread second copy counts as fresh instead of as a repeat."""
    codes = [s * d * 10**k for s in (1, -1) for d in range(1, 10) for k in range(10) if -2**31 <= s * d * 10**k < 2**31]
    parts = []
    for v in range(8):
        plain = [b"%d" % c for c in codes]
        other = [b"-" * (c < 0) + b"+" * (c > 0 and (i + v) % 2) + b"0" * ((i * 3 + v) % 13) + b"%d" % abs(c)
                 for i, c in enumerate(codes)]
        body = [blank(1 + (i * 5 + v) % 64, v) + x for i, x in enumerate(plain + other if v % 2 else other + plain)]
        parts.append(b"\n%d %d " % (2 * len(codes) // (1, 2, 4)[v % 3], (1, 2, 4)[v % 3]) + b"".join(body))
    return b"8" + b"".join(parts) + b"\n"


def full(seed=1):
    """One test case of 50001 rows of 10: 470,000 distinct codes, then
    repeats of codes from early, late and anywhere among them."""
    rng = random.Random(seed)
    codes = [(i * 2654435761 + seed) % 2**32 - 2**31 for i in range(470000)]
    rest = 500010 - len(codes)
    codes += [codes[rng.randrange(20000)] for _ in range(rest // 3)]
    codes += [codes[469999 - rng.randrange(20000)] for _ in range(rest // 3)]
    codes += [codes[rng.randrange(470000)] for _ in range(500010 - len(codes))]
    rows = (b" ".join(b"%d" % c for c in codes[i:i + 10]) for i in range(0, len(codes), 10))
    return b"1\n50001 10\n" + b"\n".join(rows) + b"\n"
