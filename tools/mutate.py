#!/usr/bin/env python3
"""Mutation check of the counting filter.

Plant one fault at a time in a private copy of the program's sources (every
.cpp and .h in src/, one file changed), build the copy as the Makefile does,
all of src/*.cpp in one command, into a binary named a, keep the mutants
that behave differently from the unchanged program on a corpus of generated
inputs, and run the quick test suite on each of those: a mutant the suite
passes is a survivor, a hole in the tests.

    python3 tools/mutate.py [--seed N] [--count N] [--cxx G++] [--flags F]
                            [--root DIR] [--source-dir DIR] [--list] [--only N,M]

A mutant is named by its file and line, e.g. "m012 cmp src/blocks.h:L57".
The order for a seed takes each file's mutants round its functions and mixes
the files in proportion to their mutants, so that any prefix is spread over
many files. A header is compiled into several translation units (each
instruction set's file includes the generic ones): its line counts as
compiled, or as run by the corpus, when any unit's copy of it is.

Verdicts: "killed" (the suite fails on it), "SURVIVED" (the suite passes
though the corpus shows a change), "no behaviour change" (the corpus shows
none: likely equivalent), "skipped: does not compile". Mutants on lines the
corpus never runs, or in code the flags leave out, are not tried at all.

Exit status 0 when every behaviour-changing mutant is killed, 1 when one
survives, 2 when the check cannot run (the program does not build, or the
suite fails on it unchanged)."""
import argparse, collections, fcntl, json, os, pty, random, re, shlex, shutil, signal
import atexit, selectors, subprocess, sys, tempfile, threading, time, weakref

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
STD = "-std=c++17"		# the Makefile's language standard
SOURCES = (".cpp", ".h")
# The unchanged build and the corpus live apart from build/, which any
# "make clean" in the shared tree may remove while this runs.
PRIVATE = tempfile.mkdtemp(prefix="mutate.")
atexit.register(shutil.rmtree, PRIVATE, True)


class Child(subprocess.Popen):
    """A process of this run, to be ended with it: a mutant may loop."""
    live = weakref.WeakSet()

    def __init__(self, *args, **kw):
        super().__init__(*args, **kw)
        Child.live.add(self)


def interrupted(sig, frame):
    for p in list(Child.live):
        if p.poll() is None:
            try:
                os.killpg(p.pid, signal.SIGKILL) if os.getpgid(p.pid) == p.pid else p.kill()
            except OSError:
                pass
    shutil.rmtree(PRIVATE, True)
    os._exit(128 + sig)


subprocess.Popen = Child	# subprocess.run makes its processes by this name

# ---------------------------------------------------------------- the source

Tok = collections.namedtuple("Tok", "kind text start end line")
PUNCT = sorted(""">>= <<= ... ->* <=> -> ++ -- << >> <= >= == != && || += -= *= /=
    %= &= |= ^= ::""".split(), key=len, reverse=True)
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.'])*")
IDENT = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


def lex(src):
    """The tokens of a C++ source, without comments or preprocessor lines;
    a string or character literal is one token."""
    toks, i, n, line, bol = [], 0, len(src), 1, True
    while i < n:
        c = src[i]
        if c == "\n":
            line, i, bol = line + 1, i + 1, True
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if bol and c == "#":
            while i < n and src[i] != "\n":
                if src.startswith("\\\n", i):
                    line += 1
                    i += 1
                i += 1
            continue
        bol = False
        if src.startswith("//", i):
            j = src.find("\n", i)
            i = n if j < 0 else j
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            j = n if j < 0 else j + 2
            line += src.count("\n", i, j)
            i = j
            continue
        if c in "\"'":
            j = i + 1
            while j < n and src[j] != c:
                j += 2 if src[j] == "\\" else 1
            toks.append(Tok("lit", src[i:j + 1], i, j + 1, line))
            i = j + 1
            continue
        m = NUMBER.match(src, i) or IDENT.match(src, i)
        if m:
            kind = "num" if c.isdigit() or c == "." else "id"
            toks.append(Tok(kind, m.group(), i, m.end(), line))
            i = m.end()
            continue
        p = next((p for p in PUNCT if src.startswith(p, i)), c)
        toks.append(Tok("op", p, i, i + len(p), line))
        i += len(p)
    return toks


CONTROL = {"if", "for", "while", "switch"}
DECL = set("""auto bool char const constexpr double enum extern float int long register short
    signed static struct thread_local typedef union unsigned using void volatile alignas""".split())
CODE_BEFORE = {")", "]", "else", "do", "const", "noexcept", "mutable", "override", "final"}


def structure(toks):
    """For each token, its region: a function and the declarations before
    it, so that a file full of small declarations does not outweigh its
    functions. And the simple statements inside function bodies, as (first,
    last) token indices, the last being the ';'. And the lines each
    region's function body spans."""
    regions, stmts, names, spans = [], [], {}, {}
    braces = []		# per open brace: (code?, saved state)
    region, depth, headers = 0, 0, []
    start, may_start, want_header = None, False, False
    for i, t in enumerate(toks):
        regions.append(region)
        code = bool(braces) and braces[-1][0]
        x = t.text
        if x == "{":
            prev = toks[i - 1].text if i else ""
            is_code = prev in CODE_BEFORE or (prev in ("{", "}", ";") and code)
            if is_code and not any(c for c, _ in braces):
                names.setdefault(region, function_name(toks, i))
                spans[region] = (t.line, t.line)
            braces.append((is_code, (start, depth, headers, may_start)))
            start, depth, headers, may_start = None, 0, [], is_code
            continue
        if x == "}":
            was_code, saved = braces.pop() if braces else (False, (None, 0, [], False))
            start, depth, headers, may_start = saved
            if was_code:
                start, may_start = None, bool(braces) and braces[-1][0]
            if was_code and not any(c for c, _ in braces):
                spans[region] = (spans[region][0], t.line)
                region += 1
            continue
        if x in ("(", "["):
            if want_header and x == "(":
                headers.append(depth)
            want_header = False
            depth += 1
            continue
        if x in (")", "]"):
            depth -= 1
            if x == ")" and headers and headers[-1] == depth:
                headers.pop()
                start, may_start = None, code
            continue
        if x == ";" and depth == 0:
            if code and start is not None:
                stmts.append((start, i))
            start, may_start = None, code
            continue
        if x in ("else", "do"):
            start, may_start = None, code
            continue
        if x in CONTROL:
            want_header, start, may_start = True, None, False
            continue
        if may_start and depth == 0:
            start, may_start = i, False
    return regions, stmts, names, spans


def function_name(toks, i):
    """The name of the function whose body opens at token i."""
    j, depth = i - 1, 0
    while j > 0 and toks[j].text != ")":
        j -= 1
    while j > 0:
        depth += {")": 1, "(": -1}.get(toks[j].text, 0)
        if depth == 0:
            break
        j -= 1
    return toks[j - 1].text + "()" if j > 0 and toks[j - 1].kind == "id" else "?"


def declaration(toks):
    """Whether a statement's tokens look like a declaration."""
    a = [t.text for t in toks[:4]] + ["", "", "", ""]
    if a[0] in DECL or a[0] == "return" and a[1] != ";":
        return True
    ident = lambda k: toks[k].kind == "id" if k < len(toks) else False
    return ident(0) and (ident(1) or a[1] in ("*", "&") and ident(2) and a[3] in ("=", ";", ",", "["))


def binary_at(toks, i):
    """Whether the operator at i has a left operand."""
    if i == 0:
        return False
    p = toks[i - 1]
    return p.kind in ("num", "lit") or p.text in (")", "]") or \
        p.kind == "id" and p.text not in ("return", "case", "sizeof", "throw", "else", "do")


INT = re.compile(r"(0[xX][0-9a-fA-F]+|0[bB][01]+|0[0-7]*|[1-9][0-9]*)([uUlL]*)\Z")


def bump(text, d):
    """An integer or character literal moved by d, in its own notation; None
    when there is no such literal."""
    if text.startswith("'"):
        body = text[1:-1]
        if len(body) == 1 and body != "\\":
            c = ord(body) + d
        elif len(body) == 2 and body[0] == "\\" and body[1] in "tnvfr0\\'\"":
            c = ord({"t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r", "0": "\0"}.get(body[1], body[1])) + d
        else:
            return None
        if not 0 <= c < 128:
            return None
        return "'%s'" % (chr(c) if 0x20 <= c < 0x7f and chr(c) not in "'\\" else "\\x%02x" % c)
    m = INT.match(text)
    if not m:
        return None
    body, suffix = m.groups()
    base = {"0x": 16, "0X": 16, "0b": 2, "0B": 2}.get(body[:2], 8 if len(body) > 1 and body[0] == "0" else 10)
    digits = body[2:] if base in (2, 16) else body
    v = int(digits.replace("'", ""), base) + d
    if v < 0:
        return None
    if base == 10:
        return str(v) + suffix
    if base == 8:
        return "0%o" % v + suffix
    out = format(v, "x" if base == 16 else "b").zfill(len(digits))
    return body[:2] + (out.upper() if any(c in "ABCDEF" for c in digits) else out) + suffix


SWAP = {
    "cmp": {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"],
            "==": ["!="], "!=": ["=="]},
    "logic": {"&&": ["||"], "||": ["&&"]},
    "arith": {"+": ["-"], "-": ["+"], "+=": ["-="], "-=": ["+="]},
    "incdec": {"++": ["--"], "--": ["++"]},
    "bit": {"&": ["|"], "|": ["&"], "^": ["|"], "&=": ["|="], "|=": ["&="], "<<": [">>"], ">>": ["<<"]},
    "bool": {"true": ["false"], "false": ["true"]},
}
BINARY = {"+", "-", "&", "|", "^"}
CASTS = {"static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "template"}

# A mutant's region is (file, function number in the file).
Mutant = collections.namedtuple("Mutant", "op start end text line region file")


def candidates(src, active=None, file=""):
    """Every mutant of file's text src this check knows how to make, on
    lines that are compiled (active, a set of line numbers; None for all)
    and are not static assertions; with the names and body lines of the
    file's functions, keyed by region."""
    toks = lex(src)
    regions, stmts, names, spans = structure(toks)
    regions = [(file, r) for r in regions]
    names = {(file, r): v for r, v in names.items()}
    spans = {(file, r): v for r, v in spans.items()}
    lines = src.split("\n")
    ok = lambda t: (active is None or t.line in active) and "static_assert" not in lines[t.line - 1]
    out = []
    for i, t in enumerate(toks):
        if not ok(t):
            continue
        add = lambda op, new: out.append(Mutant(op, t.start, t.end, new, t.line, regions[i], file))
        for op, table in SWAP.items():
            if t.text not in table or t.kind == "lit":
                continue
            if t.text in BINARY and not binary_at(toks, i):
                continue
            if op == "cmp" and t.text in "<>" and (i and toks[i - 1].text in CASTS or
                                                   lines[t.line - 1].lstrip().startswith("template")):
                continue
            for new in table[t.text]:
                add(op, new)
        if t.text == "!":
            add("not", "")
        if t.kind in ("num", "lit"):
            for d in (1, -1):
                new = bump(t.text, d)
                if new is not None:
                    add("const", new)
    for a, b in stmts:
        body = toks[a:b + 1]
        if ok(toks[a]) and not declaration(body):
            out.append(Mutant("drop", toks[a].start, toks[b].end, ";", toks[a].line, regions[a], file))
    return out, names, spans


def order(muts, seed):
    """Mutants in the order to try them: each file's own round over its
    functions, the files mixed in proportion to their mutants (a file's k-th
    of n mutants lands at a random place in the k-th n-th of the order), so
    that any prefix is spread over the files and over each file."""
    rng = random.Random(seed)
    files = collections.defaultdict(list)
    for m in muts:
        files[m.file].append(m)
    keyed = []
    for f in sorted(files):
        own = rounds(files[f], rng)
        keyed += [((k + rng.random()) / len(own), f, k, m) for k, m in enumerate(own)]
    return [m for *_, m in sorted(keyed)]


def rounds(muts, rng):
    """Mutants in a round over their regions, taking a random operator and a
    random mutant of it from each, so that any prefix is spread over them."""
    pools = collections.defaultdict(lambda: collections.defaultdict(list))
    for m in muts:
        pools[m.region][m.op].append(m)
    for ops in pools.values():
        for lst in ops.values():
            rng.shuffle(lst)
    out, regions = [], sorted(pools)
    while regions:
        rng.shuffle(regions)
        for r in list(regions):
            ops = pools[r]
            op = rng.choice(sorted(ops))
            out.append(ops[op].pop())
            if not ops[op]:
                del ops[op]
            if not ops:
                regions.remove(r)
    return out


def apply(src, m):
    """The text src with mutant m planted."""
    return src[:m.start] + m.text + src[m.end:]


def mutated(tree, m):
    """The source tree with mutant m planted in its file."""
    out = dict(tree)
    out[m.file] = apply(tree[m.file], m)
    return out


def shown(src, m, width=64):
    """The mutated line before and after, squeezed to width around the change."""
    ls = src.rfind("\n", 0, m.start) + 1
    le = src.find("\n", m.end)
    le = len(src) if le < 0 else le
    note = src.find("//", m.end, le)
    le = le if note < 0 else note
    before, after = src[ls:le], src[ls:m.start] + m.text + src[m.end:le]
    squeeze = lambda s: " ".join(s.split())
    before, after = squeeze(before), squeeze(after)
    if len(before) > width or len(after) > width:
        k = next((k for k in range(min(len(before), len(after))) if before[k] != after[k]), 0)
        lo = max(0, k - width // 3)
        cut = lambda s: ("..." if lo else "") + s[lo:lo + width] + ("..." if len(s) > lo + width else "")
        before, after = cut(before), cut(after)
    return before, after


def active_lines(cxx, flags, folder, tree):
    """The (file, line) pairs that the preprocessor keeps with these flags
    in any translation unit of the tree laid out in folder; None if it fails."""
    lines = set()
    for unit in units(tree):
        r = subprocess.run([cxx, STD, *flags, "-E", unit], cwd=folder,
                           capture_output=True, text=True, errors="replace")
        if r.returncode:
            return None
        lines |= kept(r.stdout)
    return lines


def kept(text):
    """The (file, line) pairs that a preprocessor's output holds code from."""
    cur, n, lines = None, 0, set()
    for t in text.split("\n"):
        mark = re.match(r'# (\d+) "(.*)"', t)
        if mark:
            n, cur = int(mark.group(1)), os.path.normpath(mark.group(2))
            continue
        if t.strip():
            lines.add((cur, n))
        n += 1
    return lines

# ---------------------------------------------------------------- the corpus

WHITE = b" \t\n\v\f\r"
LIMIT = [0, 1, -1, 9, 10, 99, 2147483647, -2147483648, 2147483646, -2147483647, 999999999,
         -999999999, 1000000000, -1000000000, 1999999999, 2000000000, 1073741824, 65536]
OUT = [b"2147483648", b"-2147483649", b"+2147483648", b"4294967296", b"9999999999",
       b"10000000000", b"99999999999999999999", b"-" + b"0" * 30 + b"2147483649",
       b"00000000002147483648", b"9" * 40, b"12345678901"]
BAD = [b"x7", b"-", b"+", b"+-3", b"-+3", b"--1", b"++1", b"0x10", b"1.5", b"1e5", b"\x00",
       b"\xff\xfe", b"\"q\\", b"\x7f", b"\x01\x1f", b"abcdefghijklmnopqrstuvwxyz", b"-" + b"x" * 25,
       b"\xa0", b"\x1c7", b"+" * 21, b"-a", b"5\x00", b"_", b"/", b":", b"5:", b"\x08", b"\x0e",
       b"\x1f", b"!", b",", b"*", b".", b"0/"]
VALID = [b"+0", b"-0", b"000", b"+0002147483647", b"-0000000000000002147483648", b"0" * 19 + b"7",
         b"0" * 20 + b"7", b"0" * 21 + b"7", b"-2147483648", b"2147483647", b"1000000000",
         b"+1", b"-1", b"0" * 60 + b"1", b"-" + b"0" * 9 + b"1"]

Item = collections.namedtuple("Item", "name data modes")
SMALL = ("pipe", "file")


def ws(rng):
    """A run of white space: mostly one byte, sometimes long, of one kind or many."""
    r = rng.random()
    if r < 0.6:
        n = 1
    elif r < 0.8:
        n = rng.randint(1, 4)
    else:
        n = rng.choice([15, 16, 17, 31, 32, 33, 63, 64, 65, 127, 128, 129, rng.randint(1, 300)])
    k = rng.random()
    if k < 0.4:
        return b" " * n
    if k < 0.7:
        return bytes([rng.choice(WHITE)]) * n
    return bytes(rng.choices(WHITE, k=n))


def render(v, rng):
    """v as "%d" accepts it: now and then with a plus sign or leading zeros."""
    s = b"%d" % abs(v)
    if rng.random() < 0.15:
        s = b"0" * rng.choice([1, 2, 9, 10, 11, 19, 20, 21, 40, rng.randint(1, 60)]) + s
    if v < 0:
        return b"-" + s
    return rng.choices([b"", b"+", b"-" if v == 0 else b""], [8, 1, 1])[0] + s


def codes(rng, k):
    """k item codes from one of a few palettes, some with many repeats."""
    lo, hi = rng.choice([(0, 3), (-5, 5), (0, 60), (0, 999), (-2**31, 2**31 - 1)])
    if rng.random() < 0.1:
        return [rng.choice(LIMIT) for _ in range(k)]
    return [rng.randint(lo, hi) for _ in range(k)]


def shape(rng):
    """The numbers of one random input: tokens, well formed or not."""
    t = rng.choice([1, 1, 2, 3, rng.randint(0, 8), rng.randint(-3, 0)])
    nums = [t]
    for _ in range(max(t, 0) + rng.choice([0, 0, 0, 1])):
        r = rng.random()
        if r < 0.75:
            n, m = rng.choice([1, 1, 2, 3, rng.randint(1, 12), rng.randint(1, 60)]), rng.randint(1, 10)
        elif r < 0.87:
            n = rng.choice([0, -1, -2**31, rng.randint(-5, 0), 50002, 2**31 - 1])
            m = 0 if n > 0 else rng.choice([0, 11, -1, 2**31 - 1, rng.randint(-20, 20)])
        else:
            n, m = rng.choice([(50002, 1), (60000, 10), (2**31 - 1, 5), (1, 11), (2, -1),
                               (3, 2**31 - 1), (1, -2**31), (50001, 0)])
        nums += [n, m] + codes(rng, max(n, 0) * m if 0 < m <= 10 and n <= 200 else rng.randint(0, 5))
    toks = [render(v, rng) for v in nums]
    r = rng.random()
    if r < 0.35 and len(toks) > 1:
        toks[rng.randrange(len(toks))] = rng.choice(BAD + OUT)
    elif r < 0.5:
        k = rng.randrange(len(toks) + 1)
        cut = toks[:k]
        if cut and rng.random() < 0.5:
            cut[-1] = cut[-1][:rng.randrange(len(cut[-1]) + 1)]
        toks = cut
    return toks


def random_input(rng):
    toks = shape(rng)
    out = bytearray(ws(rng) if rng.random() < 0.3 else b"")
    for i, t in enumerate(toks):
        out += t
        if i + 1 < len(toks) or rng.random() < 0.7:
            out += ws(rng)
    if rng.random() < 0.2:
        out += rng.choice([b"junk 1 2", b"\x00\xff", b"9" * 40, b"-", b"7"])
    return bytes(out)


def edges():
    """Each odd token in each place a number is read, alone; fed both ways
    as a code, one way or the other elsewhere."""
    out = []
    for i, x in enumerate(BAD + OUT + VALID + [b"", b" ", b"\n\t\v\f\r "]):
        for j, pre in enumerate((b"", b"1 ", b"1 1 ", b"1 1 1 ", b"2 1 1 5 1 1 ")):
            out.append(Item("edge %r" % (pre + x), pre + x, SMALL if j == 3 else (SMALL[(i + j) % 2],)))
        out.append(Item("edge %r" % (b"1 1 2 " + x + b" 5"), b"1 1 2 " + x + b" 5\n", ("pipe",)))
    for n, m in [(1, 11), (1, 10), (1, -1), (0, 11), (-1, -1), (50002, 1), (50001, 0), (50002, 0),
                 (2**31 - 1, 0), (1, 2**31 - 1), (1, -2**31), (-2**31, 11), (60000, 10)]:
        data = b"2 1 1 9 %d %d 1 2 3 4 5 6 7 8 9 10 11\n" % (n, m)
        out.append(Item("limits %d %d" % (n, m), data, SMALL))
    for data in [b"0", b"-5 1 1 1", b"1 2 2 1 2 2 3", b"1 1 10 1 2 3 4 5 6 7 8 9 10",
                 b"1 2 10 " + b"1 " * 10 + b"2 " * 10, b"1 3 3 7 7 7 1 2 3 8 7 -1",
                 b"3 1 1 -2147483648 1 2 2147483647 -2147483648 1 1 0"]:
        for tail in (b"", b"\n", b" x", b"7"):
            out.append(Item("small %r" % (data + tail), data + tail, SMALL))
    return out


def boundary(rng, at, token, valid):
    """About 360 KB of codes with token starting at byte at, so that it
    straddles a read of 1 << 17 bytes; valid tells whether it is a code."""
    pool = [b"%d" % rng.randint(-999, 999) for _ in range(997)]
    words = (pool * 81)[:80000]
    head = b"1 8000 10\n"
    used, size = 0, len(head)
    while size + len(words[used]) + 1 < at - 40:
        size += len(words[used]) + 1
        used += 1
    body = head + b" ".join(words[:used])
    text = body + rng.choice([b" ", b"\n", b"\t"]) * (at - len(body)) + token
    if valid:
        words = words[:-1]
    return text + b" " + b" ".join(words[used:])


def boundaries(rng):
    out, b = [], 1 << 17
    tokens = [(x, True) for x in (b"-2147483648", b"2147483647", b"0" * 24 + b"42", b"+7", b"-0",
                                   b" " * 70 + b"5")] + \
               [(x, False) for x in (b"x7", b"2147483648", b"99999999999", b"-")]
    for x, valid in tokens:
        for at in (b - 12, b - 11, b - len(x), b - 1, b, b + 1, 2 * b - 3):
            out.append(Item("boundary %r at %d" % (x[:30], at), boundary(rng, at, x, valid), SMALL))
    # The last number's final digit right before a read's end, or at it.
    for extra in (-1, 0, 1):
        data = bytearray(b"1 1 1 ")
        data += b" " * (b + extra - len(data) - 1) + b"7"
        out.append(Item("ends at %d" % len(data), bytes(data), SMALL))
    return out


def large(rng):
    """A few largest test cases: one nearly fills the seen set."""
    out = []
    distinct = rng.sample(range(-2**31, 2**31), 480000)
    rows = [distinct[i:i + 10] for i in range(0, 480000, 10)]
    for _ in range(50001 - len(rows)):
        rows.append([rng.choice(distinct) if rng.random() < 0.95 else rng.randint(-2**31, 2**31 - 1)
                     for _ in range(10)])
    text = b"3\n50001 10\n" + b"\n".join(b" ".join(b"%d" % c for c in r) for r in rows)
    text += b"\n2 3 %d %d %d 5 5 5\n1 1 %d\n" % (distinct[0], distinct[1], distinct[0], distinct[2])
    out.append(Item("large: 480000 distinct codes, then repeats", text, ("file", "pipe")))
    out.append(Item("large: one code 500010 times", b"1 50001 10 " + b"7 " * 500010, ("file",)))
    toks = [b"50001", b"2"] + [render(c, rng) for c in codes(rng, 100002)]
    text = b"1" + b"".join(ws(rng) + t for t in toks)
    out.append(Item("large: odd spacing and forms", text, ("file", "pipe")))
    tiny = [b"30000"] + [b"%d 2 %d %d %d %d" % ((rng.randint(1, 3),) + tuple(codes(rng, 4)))
                         for _ in range(30000)]
    text = b"\n".join(tiny)
    out.append(Item("large: 30000 small test cases", text, ("file", "pipe")))
    text = b"2 50001 1 " + b" ".join(b"%d" % i for i in range(50001)) + b" 50001 10 " + \
        b" ".join(b"%d" % (i // 3) for i in range(500009)) + b" x"
    out.append(Item("large: fault at the last code", text, ("file",)))
    return out


def corpus(seed):
    rng = random.Random(seed)
    items = edges()
    items += [Item("random %d" % i, random_input(rng), SMALL if i % 5 == 0 else (SMALL[i % 2],))
              for i in range(250)]
    items += [Item("io", b"", ("closed-in", "dir")),
              Item("io", b"2 1 1 5\n1 2 5 6\n", ("tty", "tty-arg", "arg", "full", "closed-out")),
              Item("io", b"0\n", ("full", "arg")),
              Item("io", b"200000 " + b"1 1 7 " * 200000, ("sigpipe",))]
    items += boundaries(rng)
    items += large(rng)
    return items


# ---------------------------------------------------------------- running

def filled_pipe(data):
    """A pipe holding all of data with its writing end closed, or None."""
    if len(data) > 1 << 20:
        return None
    r, w = os.pipe()
    try:
        fcntl.fcntl(w, 1031, max(1 << 16, 1 << (len(data) - 1).bit_length()))  # F_SETPIPE_SZ
        view = memoryview(data)
        while view:
            view = view[os.write(w, view):]
    except OSError:
        os.close(r)
        return None
    finally:
        os.close(w)
    return r


def drain(fd):
    n = 0
    while True:
        b = os.read(fd, 1 << 20)
        if not b:
            return n
        n += len(b)


def unread(r, n):
    """How much input a run left, which matters only when it finished well:
    after a fault, how far the input was read is nobody's business."""
    return n if r.returncode == 0 else None


def behave(binary, item, path, mode, timeout):
    """What binary does with item fed in the given way: output, status,
    message, and how much of the input it left unread."""
    run = lambda argv, **kw: subprocess.run(argv, capture_output="stdout" not in kw, timeout=timeout, **kw)
    try:
        if mode in ("file", "arg"):
            with open(path, "rb") as f:
                r = run([binary] + (["x"] if mode == "arg" else []), stdin=f)
                return r.stdout, r.returncode, r.stderr, unread(r, os.lseek(f.fileno(), 0, os.SEEK_CUR))
        if mode == "pipe":
            fd = filled_pipe(item.data)
            if fd is None:
                r = subprocess.run([binary], input=item.data, capture_output=True, timeout=timeout)
                return r.stdout, r.returncode, r.stderr
            try:
                r = run([binary], stdin=fd)
                return r.stdout, r.returncode, r.stderr, unread(r, drain(fd))
            finally:
                os.close(fd)
        if mode in ("tty", "tty-arg"):
            master, slave = pty.openpty()
            try:
                os.write(master, item.data)
                r = run([binary] + (["x"] if mode == "tty-arg" else []), stdin=slave)
                return r.stdout, r.returncode, r.stderr
            finally:
                os.close(master)
                os.close(slave)
        if mode in ("full", "closed-out"):
            with open(path, "rb") as f, open("/dev/full", "wb") as full:
                if mode == "full":
                    r = subprocess.run([binary], stdin=f, stdout=full, stderr=subprocess.PIPE, timeout=timeout)
                else:
                    r = subprocess.run(["sh", "-c", 'exec "$0" >&-', binary], stdin=f,
                                       stderr=subprocess.PIPE, timeout=timeout)
                return r.returncode, r.stderr
        if mode == "closed-in":
            r = run(["sh", "-c", 'exec "$0" <&-', binary])
            return r.stdout, r.returncode, r.stderr
        if mode == "dir":
            fd = os.open("/", os.O_RDONLY | os.O_DIRECTORY)
            try:
                r = run([binary], stdin=fd)
            finally:
                os.close(fd)
            return r.stdout, r.returncode, r.stderr
        if mode == "sigpipe":
            with open(path, "rb") as f:
                p = subprocess.Popen([binary], stdin=f, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            stuck = threading.Timer(timeout, p.kill)	# a mutant may never write
            stuck.start()
            first = p.stdout.readline()
            stuck.cancel()
            p.stdout.close()
            try:
                rc = p.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
                rc = "timeout"
            err = p.stderr.read()
            p.stderr.close()
            return first, rc, err
    except subprocess.TimeoutExpired:
        return ("timeout",)
    raise ValueError(mode)


class Judge:
    """The unchanged program's behaviour on the corpus, to hold mutants to."""

    def __init__(self, binary, items):
        self.items, self.paths, self.want = items, [], []
        folder = os.path.join(PRIVATE, "corpus")
        os.makedirs(folder, exist_ok=True)
        for k, it in enumerate(items):
            path = os.path.join(folder, "%04d.in" % k)
            with open(path, "wb") as f:
                f.write(it.data)
            self.paths.append(path)
        for k, it in enumerate(items):
            for mode in it.modes:
                t = time.monotonic()
                got = behave(binary, it, self.paths[k], mode, 60)
                spent = time.monotonic() - t
                if got == ("timeout",):
                    raise RuntimeError("the unchanged program hangs on %s via %s" % (it.name, mode))
                self.want.append((k, mode, got, max(3.0, 20 * spent)))

    def differ(self, binary):
        """The first (item, mode, wanted, got) where binary behaves otherwise."""
        for k, mode, want, limit in self.want:
            got = behave(binary, self.items[k], self.paths[k], mode, limit)
            if got != want:
                return k, mode, want, got
        return None


def coverage(cfg, tree, judge):
    """The (file, line) pairs that hold code no run of the corpus reaches,
    and those it does, from a coverage build; None when coverage is not to
    be had."""
    folder = os.path.join(PRIVATE, "coverage")
    binary = build(cfg.cxx, cfg.flagv + ["-O0", "--coverage"], tree, folder)
    gcov = re.sub(r"g\+\+(?=[^/]*$)", "gcov", cfg.cxx) if "g++" in cfg.cxx else "gcov"
    if binary is None or shutil.which(gcov) is None:
        return None
    for k, mode, _, _ in judge.want:
        behave(binary, judge.items[k], judge.paths[k], mode, 120)
    notes = sorted(f for f in os.listdir(folder) if f.endswith(".gcno"))
    r = subprocess.run([gcov, "--json-format", "--stdout", *notes], cwd=folder,
                       capture_output=True, text=True, errors="replace")
    if r.returncode or not notes:
        return None
    try:
        counts = line_counts(r.stdout)
    except (ValueError, KeyError, TypeError):
        return None
    return {k for k, c in counts.items() if not c}, {k for k, c in counts.items() if c}


def line_counts(report):
    """The runs of each (file, line) with code, from gcov's JSON, one object
    per line: a header's line counts in every unit that compiled it, summed."""
    counts = collections.Counter()
    for text in report.splitlines():
        if not text.strip():
            continue
        for f in json.loads(text)["files"]:
            name = os.path.normpath(f["file"])
            for ln in f["lines"]:
                counts[name, ln["line_number"]] += ln["count"]
    return counts


def snapshot(folder):
    """The program's sources in folder (each .cpp and .h), by their names in
    a copy (src/NAME), read once: they may change while this runs."""
    tree = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if name.endswith(SOURCES) and os.path.isfile(path):
            with open(path) as f:
                tree["src/" + name] = f.read()
    return tree


def units(tree):
    """The translation units of the tree: every src/*.cpp, as make takes them."""
    return sorted(n for n in tree if n.endswith(".cpp"))


def build(cxx, flags, tree, folder):
    """Lay the tree out in folder and compile all its units in one command,
    as the Makefile does, into folder/a; the binary's path or None. The same
    file names everywhere make equal programs equal files."""
    for name, text in tree.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)
    r = subprocess.run(compile_command(cxx, flags, tree), cwd=folder, capture_output=True, timeout=300)
    return os.path.join(folder, "a") if r.returncode == 0 else None


def compile_command(cxx, flags, tree):
    """The command that builds the tree's units into a."""
    return [cxx, STD, *flags, "-w", "-o", "a", *units(tree)]


def suite(runner, binary, timeout, cwd=ROOT):
    """Run the quick test suite on binary, from the project folder cwd:
    'pass', 'fail' or 'timeout', and what it printed. Its first FAIL line is
    enough to call a kill."""
    env = dict(os.environ, PYTHONUNBUFFERED="1")
    with open(runner) as f:
        quick = "--quick" in f.read()
    argv = [sys.executable, runner] + (["--quick"] if quick else []) + [binary]
    if not quick:
        env["RANDOM_INPUTS"] = "40"
    p = subprocess.Popen(argv, env=env, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         start_new_session=True)
    deadline, out, verdict = time.monotonic() + timeout, b"", None
    with selectors.DefaultSelector() as sel:
        sel.register(p.stdout, selectors.EVENT_READ)
        while verdict is None:
            left = deadline - time.monotonic()
            if left <= 0:
                verdict = "timeout"
            elif sel.select(left):
                chunk = os.read(p.stdout.fileno(), 1 << 16)
                if not chunk:
                    break
                out += chunk
                if re.search(rb"^FAIL ", out, re.M):
                    verdict = "fail"
    if verdict:
        os.killpg(p.pid, signal.SIGKILL)
    rc = p.wait()
    p.stdout.close()
    try:				# a mutant the suite left running, looping
        os.killpg(p.pid, signal.SIGKILL)
    except OSError:
        pass
    return verdict or ("pass" if rc == 0 else "fail"), out


Result = collections.namedtuple("Result", "mutant verdict diff")


def trial(no, m, tree, cfg, judge, ref_bytes):
    """Judge one mutant, again if its scratch folder vanishes meanwhile."""
    for attempt in range(3):
        try:
            return attempt_trial(no, m, tree, cfg, judge, ref_bytes)
        except FileNotFoundError:
            if attempt == 2:
                raise


def attempt_trial(no, m, tree, cfg, judge, ref_bytes):
    """Build mutant m from its own copy of the tree and judge it: first by
    its machine code, then on the corpus, then by the suite."""
    folder = os.path.join(cfg.work, "m%03d" % no)
    binary = build(cfg.cxx, cfg.flagv, mutated(tree, m), folder)
    diff = None
    if binary is None:
        verdict = "skipped: does not compile"
    else:
        with open(binary, "rb") as f:
            same = f.read() == ref_bytes
        diff = None if same else judge.differ(binary)
        if same:
            verdict = "no behaviour change (same machine code)"
        elif diff is None:
            verdict = "no behaviour change"
        else:
            state, _ = suite(cfg.runner, binary, cfg.suite_timeout, cfg.root)
            if not os.path.exists(binary):
                raise FileNotFoundError(binary)	# removed under the suite: not a kill
            verdict = {"pass": "SURVIVED", "fail": "killed", "timeout": "killed (suite timed out)"}[state]
    if verdict != "SURVIVED" and not cfg.keep:
        shutil.rmtree(folder, ignore_errors=True)
    return Result(m, verdict, diff)


def changed(verdict):
    """Whether a verdict says the mutant changed behaviour."""
    return verdict == "SURVIVED" or verdict.startswith("killed")

# ---------------------------------------------------------------- shrinking

def shrink(judge, ref, binary, data, mode, budget):
    """A smaller input on which binary and ref still differ: squeeze white
    space, drop runs of tokens, then simplify what is left. None when they
    do not differ on data every time (the difference hangs on the hash seed)."""
    deadline = time.monotonic() + budget
    item = judge.items[0]
    path = os.path.join(PRIVATE, "shrink.in")

    def differs(parts):
        if time.monotonic() > deadline:
            return False
        d = b"".join(parts)
        with open(path, "wb") as f:
            f.write(d)
        it = item._replace(data=d)
        return behave(ref, it, path, mode, 5) != behave(binary, it, path, mode, 5)

    parts = re.findall(rb"\s+|\S+", data)
    if not all(differs(parts) for _ in range(5)):
        return None
    spaced = [b" " if p.isspace() else p for p in parts]
    if differs(spaced):
        parts = spaced
    k = len(parts) // 2
    while k >= 1:
        i = 0
        while i < len(parts):
            cand = parts[:i] + parts[i + k:]
            if cand and differs(cand):
                parts = cand
            else:
                i += k
        k //= 2
    for i in range(len(parts)):
        for simpler in (b" ", b"0", b"1", b"5", parts[i].lstrip(b"+0") or b"0", parts[i][:1]):
            if len(simpler) < len(parts[i]) or simpler < parts[i] and len(simpler) == len(parts[i]):
                cand = parts[:i] + [simpler] + parts[i + 1:]
                if differs(cand):
                    parts = cand
                    break
    if os.path.exists(path):
        os.unlink(path)
    return b"".join(parts)


# ---------------------------------------------------------------- the report

def brief(b):
    """A bytes value or a run's outcome, cut short for the report."""
    if b is None:
        return "-"
    s = repr(b)
    return s if len(s) <= 200 else s[:200] + "..."


def options():
    """The command line, with the knobs of make mutants (MUTANTS,
    MUTANT_SEED, MUTANT_OPT, MUTANT_FLAGS, MUTANT_BUDGET) as defaults."""
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    env = os.environ.get
    ap.add_argument("--seed", type=int, default=int(env("MUTANT_SEED", "1")), help="which mutants (1)")
    ap.add_argument("--count", type=int, default=int(env("MUTANTS", "50")),
                    help="behaviour-changing mutants to judge (50)")
    ap.add_argument("--cxx", default=env("CXX", "g++"))
    ap.add_argument("--opt", default=env("MUTANT_OPT", "-O1"), help="base compiler flags, as the portable build's")
    ap.add_argument("--flags", default=env("MUTANT_FLAGS", ""), help="extra flags, e.g. -DPIN_SSE2")
    ap.add_argument("--jobs", type=int, default=2, help="mutants at a time (2)")
    ap.add_argument("--budget", type=float, default=float(env("MUTANT_BUDGET", "540")),
                    help="seconds after which no new mutant is started (540)")
    ap.add_argument("--only", help="comma-separated mutant numbers to judge, e.g. 3,17")
    ap.add_argument("--list", action="store_true", help="list the mutants in order and stop")
    ap.add_argument("--keep", action="store_true", help="keep every mutant's source and binary")
    ap.add_argument("--dynamic", action="store_true", help="link mutants dynamically (static if it works)")
    ap.add_argument("--no-coverage", action="store_true", help="try mutants on lines the corpus never runs too")
    ap.add_argument("--corpus-seed", type=int, default=7)
    ap.add_argument("--root", default=ROOT, help="the project, whose tests run from it and whose "
                    "build/mutants keeps survivors (the one holding this tool)")
    ap.add_argument("--source-dir", help="the sources to mutate (ROOT/src)")
    ap.add_argument("--runner", help="the test suite (ROOT/tests/run.py)")
    ap.add_argument("--self-test", action="store_true", help="check this tool's own source handling")
    argv, i = sys.argv[1:], 0
    while i < len(argv) - 1:		# "--flags -DX": a value, not an option
        if argv[i] in ("--flags", "--opt"):
            argv[i:i + 2] = [argv[i] + "=" + argv[i + 1]]
        i += 1
    cfg = ap.parse_args(argv)
    cfg.root = os.path.abspath(cfg.root)
    cfg.source_dir = os.path.abspath(cfg.source_dir or os.path.join(cfg.root, "src"))
    cfg.runner = cfg.runner or os.path.join(cfg.root, "tests", "run.py")
    cfg.work = os.path.join(cfg.root, "build", "mutants")
    cfg.flagv = shlex.split(cfg.opt) + shlex.split(cfg.flags)
    return cfg


def fail(message):
    """Stop with status 2: the check cannot run."""
    print("mutate: " + message, file=sys.stderr)
    sys.exit(2)


def main():
    """Plant, build and judge the mutants the command line asks for."""
    cfg = options()
    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)
    if cfg.self_test:
        sys.exit(self_test())
    started = time.monotonic()
    if "-DPIN_AVX2" in cfg.flagv and not re.search(r"\bavx2\b", open("/proc/cpuinfo").read()):
        print("mutate: skipped: this processor lacks AVX2, which -DPIN_AVX2 needs")
        sys.exit(0)
    tree = snapshot(cfg.source_dir)		# one snapshot: src/ may change while this runs
    if not units(tree):
        fail("no .cpp file in %s" % cfg.source_dir)
    os.makedirs(cfg.work, exist_ok=True)
    ref = reference(cfg, tree)
    every, muts, names, spans = plan(cfg, tree)
    shape = " ".join(compile_command(cfg.cxx, cfg.flagv, {}) + ["src/*.cpp"])
    print("mutate: %s (%d files) as %s, seed %d: %d mutants possible (%d more in code these flags leave out)"
          % (os.path.relpath(cfg.source_dir), len(tree), shape, cfg.seed, len(muts), len(every) - len(muts)))
    line = lambda no, m: label(no, m, tree, names)
    t = time.monotonic()
    judge = Judge(ref, corpus(cfg.corpus_seed))
    print("mutate: corpus of %d inputs, %d runs, %.1f MB, judged in %.1f s" %
          (len(judge.items), len(judge.want), sum(len(i.data) for i in judge.items) / 1e6, time.monotonic() - t))
    todo = order(reached(cfg, tree, muts, spans, judge), cfg.seed)
    per_file(tree, every, muts, todo)
    if cfg.list:
        try:
            for no, m in enumerate(todo, 1):
                print(line(no, m))
        except BrokenPipeError:		# e.g. piped into head: end quietly, and tidy up
            shutil.rmtree(PRIVATE, True)
            os._exit(0)
        return
    judge_all(cfg, tree, judge, ref, todo, line, started)


def judge_all(cfg, tree, judge, ref, todo, line, started):
    """Check the suite on the unchanged program, then judge the mutants in
    order (or those of --only) and report; exits with the status."""
    t = time.monotonic()
    state, out = suite(cfg.runner, ref, 600, cfg.root)
    cfg.suite_timeout = max(30, 10 * (time.monotonic() - t))	# a mutant that hangs it is killed
    if state != "pass":
        sys.stdout.write(out.decode(errors="replace")[-3000:])
        fail("the test suite does not pass on the unchanged program (%s); no mutant can be judged" % state)
    with open(ref, "rb") as f:
        ref_bytes = f.read()
    picked = list(enumerate(todo, 1))
    if cfg.only:
        wanted = {int(x) for x in cfg.only.split(",")}
        picked = [(no, m) for no, m in picked if no in wanted]
    results = run_all(picked, tree, cfg, judge, ref_bytes, started, lambda no, r: print(
        "%s  %s" % (line(no, r.mutant), r.verdict), flush=True))
    sys.exit(report(results, judge, ref, cfg, tree, line, started))


def label(no, m, tree, names):
    """A mutant's line: number, operator, file and line, function, change."""
    where = "%s:L%d" % (m.file, m.line)
    return "m%03d %-6s %-22s %-10.10s %s  =>  %s" % ((no, m.op, where, names.get(m.region, "?"))
                                                    + shown(tree[m.file], m))


def reference(cfg, tree):
    """Build the unchanged program, statically if that works: a static
    binary starts faster, and the corpus is a thousand starts a mutant."""
    folder = os.path.join(PRIVATE, "ref")
    ref = None if cfg.dynamic else build(cfg.cxx, cfg.flagv + ["-static"], tree, folder)
    if ref is not None:
        cfg.flagv.append("-static")
        return ref
    ref = build(cfg.cxx, cfg.flagv, tree, folder)
    if ref is None:
        fail("%s does not build with %s" % (cfg.source_dir, " ".join(compile_command(cfg.cxx, cfg.flagv, tree))))
    return ref


def plan(cfg, tree):
    """Every mutant of the tree, those in code that these flags compile in
    some unit, and the names and body lines of the functions of each file."""
    active = active_lines(cfg.cxx, cfg.flagv, os.path.join(PRIVATE, "ref"), tree)
    lines = collections.defaultdict(set)
    for f, n in active or ():
        lines[f].add(n)
    every, muts, names, spans = [], [], {}, {}
    for f, src in sorted(tree.items()):
        each, n, s = candidates(src, None, f)
        every += each
        names.update(n)
        spans.update(s)
        muts += each if active is None else candidates(src, lines[f], f)[0]
    if active is None:
        print("mutate: the preprocessor fails; mutants in code the flags leave out are tried too")
    return every, muts, names, spans


def reached(cfg, tree, muts, spans, judge):
    """The mutants on lines that some run of the corpus reaches, in any
    unit's copy of their file."""
    runs = None if cfg.no_coverage else coverage(cfg, tree, judge)
    if runs is None:
        print("mutate: no coverage build; every mutant is run on the whole corpus")
        return muts
    unrun, ran = runs
    # A line without code of its own is reached if its function is.
    dead = {r for r, (lo, hi) in spans.items() if not any((r[0], n) in ran for n in range(lo, hi + 1))}
    out = [m for m in muts if (m.file, m.line) not in unrun and not (
        m.region in dead and spans[m.region][0] <= m.line <= spans[m.region][1])]
    print("mutate: %d of them on lines the corpus never runs (skipped: not reached)" % (len(muts) - len(out)))
    return out


def per_file(tree, every, muts, todo):
    """Print how many mutants each file has: possible with these flags, in
    code they leave out, not reached by the corpus, and left to try."""
    count = lambda ms: collections.Counter(m.file for m in ms)
    a, b, c = count(every), count(muts), count(todo)
    print("mutate: by file: possible, left out by the flags, not reached, to try")
    for f in sorted(tree):
        print("  %-22s %4d %4d %4d %4d" % (f, b[f], a[f] - b[f], b[f] - c[f], c[f]))


def run_all(picked, tree, cfg, judge, ref_bytes, started, show):
    """Judge mutants in order, jobs at a time, until count of them change
    behaviour or the budget is spent; results in order."""
    from concurrent.futures import ThreadPoolExecutor
    results, flying, it, found = [], collections.deque(), iter(picked), 0
    with ThreadPoolExecutor(max_workers=max(1, min(cfg.jobs, 2))) as pool:
        def more():
            while len(flying) < cfg.jobs and time.monotonic() - started < cfg.budget:
                nxt = next(it, None)
                if nxt is None:
                    return
                flying.append((nxt[0], pool.submit(trial, nxt[0], nxt[1], tree, cfg, judge, ref_bytes)))
        more()
        while flying and (cfg.only or found < cfg.count):
            no, fut = flying.popleft()
            r = fut.result()
            results.append((no, r))
            show(no, r)
            found += changed(r.verdict)
            if cfg.only or found < cfg.count:
                more()
        for no, fut in flying:		# begun past the count: not reported
            fut.result()
            shutil.rmtree(os.path.join(cfg.work, "m%03d" % no), ignore_errors=True)
    return results


def report(results, judge, ref, cfg, tree, line, started):
    """Print the summary, by operator and by file, the score and each
    survivor with the input it differs on; the exit status."""
    tally = collections.Counter(r.verdict.split(" (")[0] for _, r in results)
    killed = sum(v for k, v in tally.items() if k.startswith("killed"))
    survived = tally["SURVIVED"]
    print("\nby operator:")
    summary(results, lambda m: m.op, 6)
    print("by file:")
    summary(results, lambda m: m.file, 22)
    print("files touched: %d of %d; functions touched: %d" % (len({r.mutant.file for _, r in results}),
          len(tree), len({r.mutant.region for _, r in results})))
    print("skipped: does not compile: %d" % tally["skipped: does not compile"])
    print("no behaviour change (likely equivalent): %d" % tally["no behaviour change"])
    if killed + survived < cfg.count and not cfg.only:
        print("mutate: only %d behaviour-changing mutants within the budget (%d wanted)"
              % (killed + survived, cfg.count))
    score = killed / (killed + survived) if killed + survived else 1.0
    print("score: %d killed / %d behaviour-changing = %.1f%%  (%.0f s)" %
          (killed, killed + survived, 100 * score, time.monotonic() - started))
    for no, r in results:
        if r.verdict == "SURVIVED":
            survivor(no, r, judge, ref, cfg, line)
    return 1 if survived else 0


def summary(results, key, width):
    """Print the verdicts counted by key of the mutant (operator, file)."""
    per = collections.defaultdict(collections.Counter)
    for _, r in results:
        per[key(r.mutant)][r.verdict.split(" (")[0].split(":")[0]] += 1
    for k in sorted(per):
        c = per[k]
        print("  %-*s tried %3d  killed %3d  survived %2d  no change %3d  not compiled %3d" %
              (width, k, sum(c.values()), c["killed"], c["SURVIVED"], c["no behaviour change"], c["skipped"]))


def survivor(no, r, judge, ref, cfg, line):
    """Print a survivor, where it differs, and the smallest such input found."""
    k, mode, want, got = r.diff
    data = judge.items[k].data
    print("\nsurvivor " + line(no, r.mutant))
    print("  differs on %s via %s (kept in %s)" % (judge.items[k].name[:80], mode,
                                                   os.path.relpath(os.path.join(cfg.work, "m%03d" % no))))
    print("  unchanged: %s\n  mutant:    %s" % (brief(want), brief(got)))
    if len(data) <= 1 << 16 and mode in ("pipe", "file", "arg"):
        small = shrink(judge, ref, os.path.join(cfg.work, "m%03d" % no, "a"), data, mode, 20)
        if small is None:
            print("  not every run differs: the difference hangs on the hash seed")
        else:
            print("  smallest input found (%d bytes): %s" % (len(small), brief(small)))


# ---------------------------------------------------------------- self-test

SAMPLE = r'''#include <x.h>
#define N (1 << 4)
enum { ROWS = 0x1f, COLS = 10 };
static_assert(ROWS < 100, "room");
// if (a < b) c++;
static int f(int a, int b)
{
	/* a > b */
	const char *s = "x < y && 1";
	int k = a - 1;
	if (a <= b && !k)
		k++;
	else
		return k;
	for (int i = 0; i < 3; i++) {
		k += s[i] == '0';
	}
	do
		k--;
	while (k > 7u);
	auto g = [k](int x) { return x + k; };
	return g(-1);
}

static bool h(int x)
{
	return x != 3;
}
'''


def self_test():
    """Check the source handling on a sample: what is and is not mutated."""
    fails = []

    def check(name, got, want):
        if got != want:
            fails.append("%s: got %r, want %r" % (name, got, want))

    muts, names, spans = candidates(SAMPLE)
    made = collections.Counter((m.op, SAMPLE[m.start:m.end], m.text) for m in muts)
    lines = {m.line for m in muts}
    check("no mutant in comments, strings or directives", lines & {1, 2, 4, 5, 8}, set())
    for op, before, after in [
            ("cmp", "<=", "<"), ("cmp", "<=", ">"), ("cmp", "==", "!="), ("cmp", ">", ">="),
            ("logic", "&&", "||"), ("not", "!", ""), ("arith", "-", "+"), ("arith", "+=", "-="),
            ("arith", "+", "-"), ("incdec", "++", "--"), ("incdec", "--", "++"),
            ("const", "0x1f", "0x20"), ("const", "0x1f", "0x1e"), ("const", "7u", "8u"),
            ("const", "7u", "6u"), ("const", "'0'", "'1'"), ("const", "'0'", "'/'"),
            ("const", "0", "1")]:
        check("made %s %s => %s" % (op, before, after), made[(op, before, after)] > 0, True)
    check("0 is not moved below 0", made[("const", "0", "-1")], 0)
    check("unary minus kept", [m for m in muts if m.op == "arith" and SAMPLE[m.start - 1:m.end + 1] == "(-1"], [])
    drops = sorted(SAMPLE[m.start:m.end] for m in muts if m.op == "drop")
    check("statements dropped", drops, sorted(["k++;", "k += s[i] == '0';", "k--;"]))
    check("regions named by their functions", sorted(set(names.values())), ["f()", "h()"])
    check("a region per function", len({m.region for m in muts}), 2)
    check("function bodies", sorted(spans.values()), [(7, 23), (26, 28)])
    check("active lines honoured", {m.line for m in candidates(SAMPLE, {11, 12})[0]}, {11, 12})
    order1 = order(muts, 5)
    check("order is a permutation", sorted(order1), sorted(muts))
    check("order is fixed by the seed", order(muts, 5), order1)
    check("both regions early", len({m.region for m in order1[:2]}), 2)
    m = next(m for m in muts if m.op == "drop" and m.line == 12)
    check("a dropped statement leaves an empty one", apply(SAMPLE, m).split("\n")[11].strip(), ";")
    for text, d, want in [("10", 1, "11"), ("0", -1, None), ("0x0F", 1, "0x10"), ("1ull", -1, "0ull"),
                          ("017", 1, "020"), ("0b11", 1, "0b100"), ("1.5", 1, None), ("'\\t'", 1, "'\\x0a'"),
                          ("'\\\\'", 1, "']'"), ("'&'", 1, "'\\x27'"), ("'\\x41'", 1, None)]:
        check("bump %s by %d" % (text, d), bump(text, d), want)
    check("declaration", [declaration(lex(s)) for s in ("int x = 1;", "uint32_t *b = p;", "x = 1;",
                                                        "*p = 0;", "return;", "return x;", "f(x);")],
          [True, True, False, False, False, True, False])
    files(check)
    runs(check)
    for f in fails:
        print("FAIL " + f)
    print("self-test: %d failed" % len(fails))
    return 1 if fails else 0


TINY = {"src/main.cpp": '#include "k.h"\n#include <cstdio>\nint main() { std::printf("%d\\n", twice(K)); }\n',
        "src/k.h": "#pragma once\nenum { K = 20 };\nstatic inline int twice(int x) { return 2 * x; }\n"}


def files(check):
    """Check the handling of many files: the order, the lines each unit
    compiles and runs, and that a header's mutant reaches the build."""
    big = candidates(SAMPLE, None, "src/x.cpp")[0]
    small = [m for m in candidates(SAMPLE, None, "src/y.h")[0] if m.region[1] == 1]
    both = order(big + small, 3)
    check("files: order is a permutation", sorted(both), sorted(big + small))
    check("files: each file early", {m.file for m in both[:len(both) // len(small) + 2]}, {"src/x.cpp", "src/y.h"})
    check("files: a file's functions early", len({m.region for m in [m for m in both if m.file == "src/x.cpp"][:2]}), 2)
    pre = ('# 1 "src/a.cpp"\n# 1 "<built-in>"\n# 1 "src/a.cpp"\n# 1 "src/./x.h" 1\nint f();\n\n'
           '# 3 "src/a.cpp" 2\nint g();\n')
    check("files: lines kept by the preprocessor", kept(pre), {("src/x.h", 1), ("src/a.cpp", 3)})
    unit = lambda name, counts: json.dumps({"files": [
        {"file": name, "lines": [{"line_number": 9, "count": 1}]},
        {"file": "src/k.h", "lines": [{"line_number": n, "count": c} for n, c in counts]}]})
    got = line_counts(unit("src/a.cpp", [(3, 0), (4, 0)]) + "\n" + unit("src/b.cpp", [(3, 2), (4, 0), (3, 1)]))
    check("files: a header's runs summed over units", (got["src/k.h", 3], got["src/k.h", 4], got["src/a.cpp", 9]),
          (3, 0, 1))
    cxx = os.environ.get("CXX", "g++")
    if shutil.which(cxx):
        m = next(m for m in candidates(TINY["src/k.h"], None, "src/k.h")[0] if m.text == "21")
        built = [build(cxx, ["-O1"], t, tempfile.mkdtemp(dir=PRIVATE)) for t in (TINY, mutated(TINY, m))]
        outs = [subprocess.run([b], capture_output=True).stdout if b else None for b in built]
        check("files: a header's mutant reaches the build", outs, [b"40\n", b"42\n"])


def runs(check):
    """Check how runs are observed, on small shell programs."""
    folder = tempfile.mkdtemp(dir=PRIVATE)
    data = b"2 1 1 5\n1 2 5 6\n"
    path = os.path.join(folder, "in")
    with open(path, "wb") as f:
        f.write(data)
    item = Item("t", data, ())
    for name, body, mode, want in [
            ("whole input", "cat", "file", (data, 0, b"", len(data))),
            ("whole pipe", "cat", "pipe", (data, 0, b"", 0)),
            ("offset left", "dd bs=1 count=3 status=none", "file", (b"2 1", 0, b"", 3)),
            ("pipe left", "dd bs=1 count=3 status=none", "pipe", (b"2 1", 0, b"", len(data) - 3)),
            ("status and message", "echo oops >&2; exit 3", "file", (b"", 3, b"oops\n", None)),
            ("arguments", 'echo $#', "arg", (b"1\n", 0, b"", 0)),
            ("terminal", "[ -t 0 ] && echo $#", "tty-arg", (b"1\n", 0, b"")),
            ("no terminal", "[ -t 0 ] || echo no", "file", (b"no\n", 0, b"", 0)),
            ("full output", "echo 1", "full", (1, b"sh: 1: echo: echo: I/O error\n")),
            ("closed input", "cat", "closed-in", (b"", 1, b"cat: -: Bad file descriptor\n")),
            ("hang", "sleep 5", "file", ("timeout",))]:
        got = behave(script(folder, "p", body), item, path, mode, 1)
        if mode == "full":	# the shell's wording varies; its status does not
            got, want = got[0], want[0]
        if mode == "closed-in":
            got, want = got[:2], want[:2]
        check("run: " + name, got, want)
    cat = script(folder, "ref", "cat")
    odd = script(folder, "odd", 'd=$(cat); case "$d" in *7*) echo bad;; *) printf %s "$d";; esac')
    judge = collections.namedtuple("J", "items")([item])
    check("shrink to the one token that matters",
          shrink(judge, cat, odd, b"1 2\t3 77 8\n9", "file", 30), b"7")
    check("no shrinking what does not differ", shrink(judge, cat, cat, b"1 2 3", "pipe", 30), None)
    for name, body, want in [("first FAIL ends it", "print('FAIL x'); time.sleep(30)", "fail"),
                             ("status 1 fails", "sys.exit(1)", "fail"), ("status 0 passes", "pass", "pass"),
                             ("too slow", "time.sleep(30)", "timeout")]:
        runner = os.path.join(folder, "run.py")
        with open(runner, "w") as f:
            f.write("import sys, time\n" + body + "\n")
        t = time.monotonic()
        got = suite(runner, "a", 2)[0]
        check("suite: " + name, (got, time.monotonic() - t < 10), (want, True))
    rng = random.Random(1)
    for x, valid in [(b"x7", False), (b"-2147483648", True)]:
        data = boundary(rng, 1 << 17, x, valid)
        check("boundary: %r in place" % x, data[1 << 17:(1 << 17) + len(x)], x)
        check("boundary: codes owed", len(data.split()) - 3 - (not valid), 80000)


def script(folder, name, body):
    """A shell program in folder; its path."""
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        f.write("#!/bin/sh\n" + body + "\n")
    os.chmod(path, 0o755)
    return path


if __name__ == "__main__":
    main()
