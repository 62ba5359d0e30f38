#!/usr/bin/env python3
"""Write the benchmark inputs into the folder given, from fixed seeds."""
import os, random, sys

ROWS, WIDE = 50001, 10
CRAFTED = 20000       # distinct codes in the input crafted against chaining
BUCKETS = 20753       # buckets of a standard hashed set holding that many ints

# What each input is, as the bench's table names it.
TITLES = {
    "1-random": "one largest test case of random codes",
    "2-ten": "ten of them",
    "3-then-tiny": "one largest, then 100,000 of one code",
    "4-crafted": "one largest, codes in one hash bucket",
    "5-tiny": "300,000 test cases of 2 rows of 2",
    "6-repeats": "one largest of 1,000 distinct codes",
    "7-tiny-mixed": "300,000 of 1 row of 7 or 3 rows of 3",
    "8-spaced": "the first, in white space of all kinds",
}


def case(codes, rows=ROWS, wide=WIDE):
    """One test case: a header line, then its rows of codes."""
    lines = [f"{rows} {wide}"]
    for i in range(rows):
        lines.append(" ".join(map(str, codes[i * wide:(i + 1) * wide])))
    return "\n".join(lines) + "\n"


def full(rng, count=ROWS * WIDE):
    return [rng.getrandbits(32) - 2**31 for _ in range(count)]


def crafted(rng):
    """Distinct codes that all fall in one bucket, then repeats of them."""
    codes = [BUCKETS * (j + 1) for j in range(CRAFTED)]
    return codes + [rng.choice(codes) for _ in range(ROWS * WIDE - CRAFTED)]


def mixed(rng, cases=300000):
    """Tiny test cases of either shape, codes from a range small enough
    that repeats are common."""
    shapes = ((1, 7), (3, 3))
    parts = [f"{cases}\n"]
    for _ in range(cases):
        rows, wide = rng.choice(shapes)
        parts.append(case([rng.randrange(12) for _ in range(rows * wide)], rows, wide))
    return "".join(parts)


def spaced(rng, numbers):
    """The numbers, each after a run of white space of any of the six kinds:
    mostly short, but of every length up to 320, so that numbers start at
    every offset of a block; some with a + sign or leading zeros."""
    out = []
    for v in numbers:
        k = rng.randrange(1, 5) if rng.random() < 0.9 else rng.randrange(1, 321)
        out.append("".join(rng.choices(" \t\n\v\f\r", k=k)))
        sign = "-" if v < 0 else "+" if rng.random() < 0.1 else ""
        zeros = "0" * rng.randrange(1, 6) if rng.random() < 0.1 else ""
        out.append(sign + zeros + str(abs(v)))
    return "".join(out) + "\n"


def inputs():
    rng = random.Random(1)
    yield "1-random", "1\n" + case(full(rng))
    yield "2-ten", "10\n" + "".join(case(full(rng)) for _ in range(10))
    tiny = "".join(f"1 1\n{rng.getrandbits(31)}\n" for _ in range(100000))
    yield "3-then-tiny", "100001\n" + case(full(rng)) + tiny
    yield "4-crafted", "1\n" + case(crafted(rng))
    yield "5-tiny", "300000\n" + "".join(case([rng.randrange(10) for _ in range(4)], 2, 2) for _ in range(300000))
    yield "6-repeats", "1\n" + case([rng.randrange(1000) for _ in range(ROWS * WIDE)])
    yield "7-tiny-mixed", mixed(random.Random(7))
    # The values of 1-random, from the same seed, laid out otherwise.
    yield "8-spaced", spaced(random.Random(8), [1, ROWS, WIDE] + full(random.Random(1)))


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, text in inputs():
        with open(os.path.join(folder, name + ".in"), "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
