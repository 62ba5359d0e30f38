"""An independent model of the counting filter, and random inputs for it."""
import re

NUM = re.compile(rb"[ \t\n\v\f\r]*([+-]?)0*([0-9]+)")
WHITE = b" \t\n\r\v\f"


def count(rows):
    """Count, row by row, the subsets of positions holding a fresh code,
    by enumerating every subset."""
    met, total = set(), 0
    for row in rows:
        fresh = 0
        for k, code in enumerate(row):
            if code not in met:
                fresh |= 1 << k
                met.add(code)
        total += sum(1 for s in range(1, 1 << len(row)) if s & fresh)
    return total


def model(data):
    """The totals the filter must write for data, and whether it must then
    report a fault (status 1) instead of finishing (status 0)."""
    pos, lines = 0, []

    def num():
        nonlocal pos
        m = NUM.match(data, pos)
        if not m or len(m.group(2)) > 10:
            raise ValueError
        v = int(m.group(1) + m.group(2))
        if not -2**31 <= v < 2**31:
            raise ValueError
        pos = m.end()
        return v

    try:
        for _ in range(num()):
            n, m = num(), num()
            if n > 0 and not 0 <= m <= 10 or n > 50001 and m > 0:
                raise ValueError
            rows = [[num() for _ in range(m)] for _ in range(n)] if m > 0 else []
            lines.append(count(rows))
    except ValueError:
        return lines, True
    return lines, False


def render(v, rng):
    s = b"%d" % abs(v)
    if rng.random() < 0.05:
        s = b"0" * rng.randint(1, 30) + s
    sign = b"-" if v < 0 else b"+" if rng.random() < 0.05 else b""
    return sign + s


def generate(rng):
    """A well-formed input of a few test cases, with every whitespace kind."""
    t = rng.randint(1, 6)
    nums = [t]
    for _ in range(t):
        n = rng.choice([0, 1, 2, rng.randint(-2, 12), rng.randint(1, 40)])
        m = rng.randint(0, 10)
        lo, hi = rng.choice([(0, 3), (-5, 5), (0, 60), (-2**31, 2**31 - 1)])
        nums += [n, m] + [rng.randint(lo, hi) for _ in range(max(n, 0) * m)]
    out = bytearray(bytes(rng.choices(WHITE, k=rng.randint(0, 2))))
    for v in nums:
        out += render(v, rng) + bytes(rng.choices(WHITE, k=rng.randint(1, 3)))
    if rng.random() < 0.2:
        out += rng.choice([b"junk 1 2", b"\x00\xff", b"9" * 40])
    return bytes(out)


def mutate(data, rng):
    """Damage an input: cut it, flip bytes, insert junk, stretch a number
    past 32 bits, or make a count huge."""
    data = bytearray(data)
    for _ in range(rng.randint(1, 3)):
        i = rng.randrange(len(data) + 1)
        kind = rng.randrange(5)
        if kind == 0:
            del data[i:]
        elif kind == 1 and i < len(data):
            data[i] ^= 1 << rng.randrange(8)
        elif kind == 2:
            data[i:i] = rng.choice([b"x", b"-", b"+", b"\x00", b" -+", bytes([rng.randrange(256)])])
        elif kind == 3:
            data[i:i] = b"9" * rng.randint(1, 12)
        else:
            spans = [n.span() for n in re.finditer(rb"[0-9]+", data)]
            if spans:
                a, b = rng.choice(spans)
                data[a:b] = rng.choice([b"2000000000", b"50002", b"11", b"-1"])
    return bytes(data)
