#!/usr/bin/env python3
"""Mutation check of the counting filter.

Plant one fault at a time in a private copy of src/, build it in one
command as a (and as the test build where the file holds code for that),
and hold it to tests/run.py and tests/bytes.cpp. A mutant both pass is
given run.py again on ten times its random inputs: failing that, it
SURVIVED, a hole in the tests; else it is likely equivalent. Mutants are
numbered for a seed, spread over files and functions; those on lines the
tests never run are not tried. Exit status 0 when none survives, 1 when
one does, 2 when the check cannot run."""
import argparse, atexit, collections, contextlib, filecmp, json, os, random, re, shlex, shutil, signal, subprocess
import pathlib, sys, tempfile, threading, time
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MAIN = re.compile(r"^\s*int\s+main\s*\(", re.M)


def made(name):
    """The words of the Makefile's variable name, as make expands it: the
    language standard, the byte test's units, the test build's flags, ..."""
    return subprocess.run(["make", "-s", "-C", ROOT, "--no-print-directory", "--eval", f"v: ; @echo $({name})", "v"],
                          capture_output=True, text=True).stdout.split()


STD, BYTES, TESTBUILD, AVX2, AVX512 = (made(v) for v in ("STD", "UNITSRC", "TESTBUILD", "AVX2", "AVX512"))
# Sources, tests and builds live apart from the project's build/, which a
# "make clean" may remove while this runs.
PRIVATE = tempfile.mkdtemp(prefix="mutate.")
atexit.register(shutil.rmtree, PRIVATE, True)
TESTS = os.path.join(PRIVATE, "tests")	# the tests as they were at the start
GROUPS = set()			# process groups of the test runs going on
LAYING = threading.RLock()	# held while a tree is written out, so that an interrupt removes all

# ---------------------------------------------------------------- the source

Tok = collections.namedtuple("Tok", "kind text start end line")
PUNCT = r">>=|<<=|\.\.\.|->\*|<=>|->|\+\+|--|<<|>>|<=|>=|==|!=|&&|\|\||[-+*/%&|^]=|::"
LEXEME = re.compile(r"""(?P<directive>^[ \t\r\f\v]*\#(?:\\\n|[^\n])*)|(?P<skip>\n|[ \t\r\f\v]+
    |//[^\n]*|/\*.*?(?:\*/|\Z))|(?P<lit>"(?:\\.|[^"\\])*"?|'(?:\\.|[^'\\])*'?)
    |(?P<num>\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.'])*)|(?P<id>[A-Za-z_]\w*)|(?P<op>%s|.)""" % PUNCT,
                    re.S | re.M | re.X)


def lex(src):
    """The tokens of a C++ source, without comments or preprocessor lines;
    a string or character literal is one token."""
    toks, line, seen = [], 1, 0
    for m in LEXEME.finditer(src):
        if m.lastgroup in ("directive", "skip"):
            continue
        line, seen = line + src.count("\n", seen, m.start()), m.start()
        toks.append(Tok(m.lastgroup, m.group(), m.start(), m.end(), line))
    return toks


CONTROL = {"if", "for", "while", "switch"}
DECL = set("""auto bool char const constexpr double enum extern float int long register short
    signed static struct thread_local typedef union unsigned using void volatile alignas""".split())
CODE_BEFORE = {")", "]", "else", "do", "const", "noexcept", "mutable", "override", "final"}


def structure(toks):
    """Each token's region (a function and the declarations before it); the
    simple statements in function bodies as (first, ';') token indices; the
    name and body lines of each region's function."""
    regions, stmts, names, spans, braces = [], [], {}, {}, []	# braces: (code?, saved state) per open one
    region, depth, headers = 0, 0, []
    start, may_start, want_header = None, False, False
    for i, t in enumerate(toks):
        regions.append(region)
        code, x = bool(braces) and braces[-1][0], t.text
        if x == "{":
            prev = toks[i - 1].text if i else ""
            is_code = prev in CODE_BEFORE or (prev in ("{", "}", ";") and code)
            if is_code and not any(c for c, _ in braces):
                names.setdefault(region, function_name(toks, i))
                spans[region] = (t.line, t.line)
            braces.append((is_code, (start, depth, headers, may_start)))
            start, depth, headers, may_start = None, 0, [], is_code
        elif x == "}":
            was_code, saved = braces.pop() if braces else (False, (None, 0, [], False))
            start, depth, headers, may_start = saved
            if was_code:
                start, may_start = None, bool(braces) and braces[-1][0]
            if was_code and not any(c for c, _ in braces):
                spans[region] = (spans[region][0], t.line)
                region += 1
        elif x in ("(", "["):
            if want_header and x == "(":
                headers.append(depth)
            want_header = False
            depth += 1
        elif x in (")", "]"):
            depth -= 1
            if x == ")" and headers and headers[-1] == depth:
                headers.pop()
                start, may_start = None, code
        elif x == ";" and depth == 0:
            if code and start is not None:
                stmts.append((start, i))
            start, may_start = None, code
        elif x in ("else", "do"):
            start, may_start = None, code
        elif x in CONTROL:
            want_header, start, may_start = True, None, False
        elif may_start and depth == 0:
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
    p = toks[i - 1] if i else None
    return p is not None and (p.kind in ("num", "lit") or p.text in (")", "]") or
                              p.kind == "id" and p.text not in ("return", "case", "sizeof", "throw", "else", "do"))


INT = re.compile(r"(0[xX][0-9a-fA-F]+|0[bB][01]+|0[0-7]*|[1-9][0-9]*)([uUlL]*)\Z")
ESCAPE = {"t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r", "0": "\0", "\\": "\\", "'": "'", '"': '"'}


def bump(text, d):
    """An integer or character literal moved by d, in its own notation; None
    when there is no such literal."""
    if text.startswith("'"):
        body = text[1:-1]
        one = body if len(body) == 1 and body != "\\" else ESCAPE.get(body[1:]) if body[:1] == "\\" else None
        c = ord(one) + d if one else -1
        ok = 0x20 <= c < 0x7f and chr(c) not in "'\\"
        return "'%s'" % (chr(c) if ok else "\\x%02x" % c) if 0 <= c < 128 else None
    if not INT.match(text):
        return None
    body, suffix = INT.match(text).groups()
    base = {"0x": 16, "0X": 16, "0b": 2, "0B": 2}.get(body[:2], 8 if len(body) > 1 and body[0] == "0" else 10)
    digits = body[2:] if base in (2, 16) else body
    v = int(digits, base) + d
    if v < 0 or base in (8, 10):
        return None if v < 0 else ("%d" if base == 10 else "0%o") % v + suffix
    out = format(v, "x" if base == 16 else "b").zfill(len(digits))
    return body[:2] + (out.upper() if any(c in "ABCDEF" for c in digits) else out) + suffix


SWAP = {"cmp": {"<": ["<=", ">="], "<=": ["<", ">"], ">": [">=", "<="], ">=": [">", "<"], "==": ["!="], "!=": ["=="]},
        "logic": {"&&": ["||"], "||": ["&&"]}, "arith": {"+": ["-"], "-": ["+"], "+=": ["-="], "-=": ["+="]},
        "incdec": {"++": ["--"], "--": ["++"]}, "bool": {"true": ["false"], "false": ["true"]},
        "bit": {"&": ["|"], "|": ["&"], "^": ["|"], "&=": ["|="], "|=": ["&="], "<<": [">>"], ">>": ["<<"]}}
BINARY = {"+", "-", "&", "|", "^"}
CASTS = {"static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "template"}
# A mutant's region is (file, function number in the file).
Mutant = collections.namedtuple("Mutant", "op start end text line region file")


def candidates(src, active=None, file=""):
    """Every mutant this check can make of file's text src on lines that are
    compiled (active, None for all) and are not static assertions; the
    names and body lines of the file's functions, by region."""
    toks, lines = lex(src), src.split("\n")
    regions, stmts, names, spans = structure(toks)
    ok = lambda t: (active is None or t.line in active) and "static_assert" not in lines[t.line - 1]
    out = []
    for i, t in enumerate(toks):
        add = lambda op, new: out.append(Mutant(op, t.start, t.end, new, t.line, (file, regions[i]), file))
        if not ok(t):
            continue
        for op, table in SWAP.items():
            if t.text not in table or t.kind == "lit" or t.text in BINARY and not binary_at(toks, i):
                continue
            if op == "cmp" and t.text in "<>" and (i and toks[i - 1].text in CASTS or
                                                   lines[t.line - 1].lstrip().startswith("template")):
                continue
            for new in table[t.text]:
                add(op, new)
        if t.text == "!":
            add("not", "")
        for new in (bump(t.text, d) for d in (1, -1) if t.kind in ("num", "lit")):
            if new is not None:
                add("const", new)
    for a, b in stmts:
        if ok(toks[a]) and not declaration(toks[a:b + 1]):
            out.append(Mutant("drop", toks[a].start, toks[b].end, ";", toks[a].line, (file, regions[a]), file))
    return out, {(file, r): v for r, v in names.items()}, {(file, r): v for r, v in spans.items()}


def order(muts, seed):
    """Mutants in the order to try them, any prefix spread over files,
    functions and operators: a function's operators take turns, a file's
    functions rounds, and a file's k-th of n lands in the k-th n-th."""
    rng = random.Random(seed)
    luck = {m: [rng.random() for _ in range(4)] for m in sorted(muts)}

    def place(group, key):
        """Each mutant's place among those of its group, in the order of key,
        and the group's size."""
        groups = collections.defaultdict(list)
        for m in muts:
            groups[group(m)].append(m)
        return {m: (k, len(g)) for g in groups.values() for k, m in enumerate(sorted(g, key=key))}
    op = place(lambda m: (m.region, m.op), lambda m: luck[m][0])
    fn = place(lambda m: m.region, lambda m: (op[m][0], luck[m][1], m))
    at = place(lambda m: m.file, lambda m: (fn[m][0], luck[m][2], m))
    return sorted(muts, key=lambda m: ((at[m][0] + luck[m][3]) / at[m][1], m))


def mutated(tree, m):
    """The tree with mutant m planted in its file."""
    src = tree[m.file]
    return dict(tree, **{m.file: src[:m.start] + m.text + src[m.end:]})


def label(no, m, tree, names):
    """A mutant's line: number, operator, file and line, function, and the
    change in [brackets] amid what is around it on its line."""
    src, squeeze = tree[m.file], lambda s: re.sub(r"\s+", " ", s)
    ls, le = src.rfind("\n", 0, m.start) + 1, (src + "\n").find("\n", m.end)
    return "m%03d %-6s %-22s %-10.10s %s[%s => %s]%s" % (
        no, m.op, "%s:L%d" % (m.file, m.line), names.get(m.region, "?"), squeeze(src[ls:m.start]).lstrip()[-28:],
        squeeze(src[m.start:m.end])[:40], m.text, squeeze(src[m.end:le].split("//")[0])[:28])


def kept(text):
    """The (file, line) pairs that a preprocessor's output holds code from."""
    cur, n, lines = None, 0, set()
    for t in text.split("\n"):
        if mark := re.match(r'# (\d+) "(.*)"', t):
            n, cur = int(mark.group(1)) - 1, os.path.normpath(mark.group(2))
        elif t.strip():
            lines.add((cur, n))
        n += 1
    return lines


def plan(cfg, tree, folder):
    """The mutants on lines the preprocessor keeps in some unit (all, if it
    fails); how many it leaves out per file; the functions' names and lines."""
    active = set()
    for unit in units(tree):
        r = subprocess.run(command(cfg.cxx, cfg.flagv + ["-E"], "-", [unit]), cwd=folder, capture_output=True,
                           text=True, errors="replace")
        active = None if r.returncode or active is None else active | kept(r.stdout)
    muts, left, names, spans = [], {}, {}, {}
    for f in sorted(tree):
        each, n, s = candidates(tree[f], None if active is None else {k for g, k in active if g == f}, f)
        muts += each
        left[f] = len(candidates(tree[f], None, f)[0]) - len(each)
        names.update(n)
        spans.update(s)
    return muts, left, names, spans


def coverage(cfg, tree):
    """How often run.py and the byte test run each (file, line) with code; None if unknown."""
    folder = os.path.join(PRIVATE, "coverage")
    lay(tree, folder)
    a, b = (build(cfg.cxx, cfg.flagv + ["-O0", "--coverage"], tree, folder, w) for w in ("a", "bytes"))
    gcov = re.sub(r"g\+\+(?=[^/]*$)", "gcov", cfg.cxx) if "g++" in cfg.cxx else "gcov"
    if not (a and b and shutil.which(gcov)):
        return None
    suite(a, 3600, stop=False)
    subprocess.run(b, capture_output=True, timeout=600)
    notes = sorted(f for f in os.listdir(folder) if f.endswith(".gcno"))
    r = subprocess.run([gcov, "--json-format", "--stdout", *notes], cwd=folder, capture_output=True, text=True,
                       errors="replace")
    return (line_counts(r.stdout) if notes and not r.returncode else None) or None


def line_counts(report):
    """The runs of each (file, line) with code, from gcov's JSON objects, one a
    line: a header's line counts in every unit that compiled it, summed."""
    counts = collections.Counter()
    for text in filter(str.strip, report.splitlines()):
        for f in json.loads(text)["files"]:
            for ln in f["lines"]:
                counts[os.path.normpath(f["file"]), ln["line_number"]] += ln["count"]
    return counts


def reached(m, counts, spans):
    """Whether the tests run m's line; one without code is run if its function is."""
    lo, hi = spans.get(m.region, (0, -1))
    return counts.get((m.file, m.line)) != 0 and (
        not lo <= m.line <= hi or any(counts.get((m.file, n)) for n in range(lo, hi + 1)))

# ---------------------------------------------------------------- building and running

def snapshot(root):
    """The sources (src/NAME, each .cpp and .h) and a copy of the tests, taken once."""
    tree = {"src/" + n: pathlib.Path(root, "src", n).read_text() for n in sorted(os.listdir(os.path.join(root, "src")))
            if n.endswith((".cpp", ".h"))}
    shutil.copytree(os.path.join(root, "tests"), TESTS, ignore=shutil.ignore_patterns("__pycache__"))
    return tree


def lay(tree, folder):
    """Write the tree out in folder, with the tests, so what they keep stays there."""
    with LAYING:
        for name, text in tree.items():
            os.makedirs(os.path.join(folder, os.path.dirname(name)), exist_ok=True)
            pathlib.Path(folder, name).write_text(text)
        shutil.copytree(TESTS, os.path.join(folder, "tests"))


def units(tree, what="a"):
    """The units of the program (every src/*.cpp, as make takes them) or of
    the byte test (its own and the program's but the one with main)."""
    prog = sorted(n for n in tree if n.endswith(".cpp"))
    return prog if what in ("a", "which") else BYTES + [n for n in prog if not MAIN.search(tree[n])]


def command(cxx, flags, out, files):
    """The one command that compiles: files into out, with these flags."""
    return [cxx, *STD, *flags, "-w", "-o", out, *files]


def build(cxx, flags, tree, folder, what="a"):
    """Build what in folder, where the tree is laid out; its path, or None
    when it does not compile. Equal programs come out as equal files."""
    r = subprocess.run(command(cxx, flags, what, units(tree, what)), cwd=folder, capture_output=True, timeout=600)
    return None if r.returncode else os.path.join(folder, what)


def suite(binary, timeout, more=False, stop=True, which=None):
    """Whether the run.py beside binary passes on it (up to its first failure
    if stop; on ten times its random inputs if more), with the test build
    which if given, as kept in run.log."""
    folder = os.path.dirname(binary)
    env = dict(os.environ, **{"RANDOM_INPUTS": "20000", "MUTATED_INPUTS": "2000"} if more else {})
    with open(os.path.join(folder, "run.log"), "wb") as log:
        p = subprocess.Popen([sys.executable, "tests/run.py", *["--stop"] * stop, binary,
                              *["--which", which] * bool(which)], cwd=folder, env=env,
                             stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    GROUPS.add(p.pid)
    try:
        rc = p.wait(timeout)
    except subprocess.TimeoutExpired:
        rc = None
    with contextlib.suppress(OSError):	# and what it left running: a mutant may loop
        os.killpg(p.pid, signal.SIGKILL)
    p.wait()
    GROUPS.discard(p.pid)
    return "timeout" if rc is None else "fail" if rc else "pass"


def byte_test(cxx, flags, tree, folder, timeout):
    """Whether the byte test passes: 'pass', 'fail', 'timeout', or None."""
    binary = build(cxx, flags, tree, folder, "bytes")
    try:
        return binary and ("fail" if subprocess.run(binary, capture_output=True, timeout=timeout).returncode
                           else "pass")
    except subprocess.TimeoutExpired:
        return "timeout"


Result = collections.namedtuple("Result", "mutant verdict seconds")


def trial(no, m, tree, cfg):
    """Build mutant m in its own copy of the tree (and the test build, where
    m's file is compiled otherwise in it) and judge it by its machine code,
    run.py, the byte test, then run.py on more inputs, which tells a change
    the tests miss from none; None once the budget is spent."""
    t, folder, tree = time.monotonic(), os.path.join(PRIVATE, "m%03d" % no), mutated(tree, m)
    if t - cfg.started > cfg.budget:
        return None
    lay(tree, folder)
    binary = build(cfg.cxx, cfg.flagv, tree, folder)
    which = binary and any(f[2:] in tree[m.file] for f in TESTBUILD) and build(cfg.cxx, cfg.flagv + TESTBUILD, tree,
                                                                               folder, "which")
    if binary is None or which is None:
        verdict = "skipped: does not compile"
    elif filecmp.cmp(binary, cfg.ref, shallow=False):
        verdict = "no behaviour change (same machine code)"
    elif (state := suite(binary, cfg.suite_timeout, which=which)) != "pass":
        verdict = "killed by run.py" + " (timed out)" * (state == "timeout")
    elif byte_test(cfg.cxx, cfg.flagv, tree, folder, 60) in ("fail", "timeout"):
        verdict = "killed by bytes"
    else:
        verdict = "no behaviour change" if suite(binary, 10 * cfg.suite_timeout, True, which=which) == "pass" \
            else "SURVIVED"
    if verdict == "SURVIVED" or cfg.keep:
        shutil.rmtree(os.path.join(cfg.work, "m%03d" % no), True)
        shutil.copytree(folder, os.path.join(cfg.work, "m%03d" % no))
    shutil.rmtree(folder, True)
    return Result(m, verdict, time.monotonic() - t)


def run_all(picked, tree, cfg, show):
    """Judge mutants in order, two at a time, until count of them change
    behaviour (killed or SURVIVED) or the budget is spent; the results."""
    results, found = [], 0
    with ThreadPoolExecutor(max_workers=2) as pool:
        futures = [(no, pool.submit(trial, no, m, tree, cfg)) for no, m in picked]
        for no, fut in futures:
            r = None if found >= cfg.count and not cfg.only else fut.result()
            if r is None:
                break
            results.append((no, r))
            show(no, r)
            found += r.verdict == "SURVIVED" or r.verdict.startswith("killed")
        pool.shutdown(cancel_futures=True)	# those begun past the count end unreported
    return results


def report(results, cfg, line):
    """Print the verdicts counted, the score and each survivor's folder; the exit status."""
    tally = collections.Counter(r.verdict for _, r in results)
    killed, survived = sum(v for k, v in tally.items() if k.startswith("killed")), tally["SURVIVED"]
    print("\n" + "; ".join("%s: %d" % kv for kv in sorted(tally.items())))
    if killed + survived < cfg.count and not cfg.only:
        print("mutate: only %d behaviour-changing mutants within the budget" % (killed + survived))
    print("score: %d killed / %d behaviour-changing = %.1f%%  (%.0f s)" % (killed, killed + survived, 100 * killed
          / max(1, killed + survived), time.monotonic() - cfg.started))
    for no, r in (x for x in results if x[1].verdict == "SURVIVED"):
        print("survivor %s\n  kept in %s: its run.log says where more inputs tell it apart" % (line(
            no, r.mutant), os.path.relpath(os.path.join(cfg.work, "m%03d" % no))))
    return 1 if survived else 0

# ---------------------------------------------------------------- the run

def options():
    """The command line, with the knobs of make mutants (MUTANTS,
    MUTANT_SEED, MUTANT_FLAGS, MUTANT_BUDGET, MUTANT_OPT) as defaults."""
    ap, env = argparse.ArgumentParser(description=__doc__.split("\n\n")[0]), os.environ.get
    ap.add_argument("--seed", type=int, default=int(env("MUTANT_SEED", "1")), help="which mutants (1)")
    ap.add_argument("--count", type=int, default=int(env("MUTANTS", "50")), help="behaviour-changing ones (50)")
    ap.add_argument("--flags", default=env("MUTANT_FLAGS", ""), help="extra flags, e.g. --flags=-DPIN_SSE2")
    ap.add_argument("--budget", type=float, default=float(env("MUTANT_BUDGET", "540")),
                    help="seconds after which no new mutant is started (540)")
    ap.add_argument("--only", help="comma-separated mutant numbers to judge, e.g. 3,17")
    ap.add_argument("--list", action="store_true", help="list the mutants in order and stop")
    ap.add_argument("--keep", action="store_true", help="keep every mutant's sources and binary")
    ap.add_argument("--self-test", action="store_true", help="check this tool's handling of sources")
    cfg = ap.parse_args()
    cfg.cxx, cfg.started, cfg.work = env("CXX", "g++"), time.monotonic(), os.path.join(ROOT, "build", "mutants")
    cfg.flagv = shlex.split(env("MUTANT_OPT", "-O1")) + shlex.split(cfg.flags)
    return cfg


def fail(message):
    """Stop with status 2: the check cannot run."""
    print("mutate: " + message, file=sys.stderr)
    sys.exit(2)


def interrupted(sig, frame):
    """End the test runs going on, then this one."""
    for g in list(GROUPS):
        with contextlib.suppress(OSError):
            os.killpg(g, signal.SIGKILL)
    LAYING.acquire()
    shutil.rmtree(PRIVATE, True)
    os._exit(128 + sig)


def reference(cfg, tree):
    """Build the unchanged program, statically if that works (a static
    binary starts faster), and see run.py and the byte test pass on it."""
    folder = os.path.join(PRIVATE, "ref")
    lay(tree, folder)
    cfg.flagv += ["-static"] * bool(build(cfg.cxx, cfg.flagv + ["-static"], tree, folder))
    if (ref := build(cfg.cxx, cfg.flagv, tree, folder)) is None:
        fail("%s does not build with %s" % (ROOT, " ".join(command(cfg.cxx, cfg.flagv, "a", units(tree)))))
    t = time.monotonic()
    if suite(ref, 1800) != "pass":
        shutil.copy(os.path.join(folder, "run.log"), os.path.join(cfg.work, "ref.log"))
        fail("run.py fails on the unchanged program (see %s); no mutant can be judged" % cfg.work)
    cfg.suite_timeout = max(60, 10 * (time.monotonic() - t))	# a mutant that hangs it is killed
    if byte_test(cfg.cxx, cfg.flagv, tree, folder, 600) != "pass":
        fail("the byte test fails on the unchanged program, or does not build")
    return ref


def chosen(cfg, tree):
    """The mutants to try, numbered, and the names of functions; printed by
    file: left out by the flags, compiled, not run by the tests, to try."""
    muts, left, names, spans = plan(cfg, tree, os.path.join(PRIVATE, "ref"))
    counts = coverage(cfg, tree)
    todo = [(no, m) for no, m in enumerate(order(muts, cfg.seed), 1) if counts is None or reached(m, counts, spans)]
    print("mutate: src (%d files) as %s, seed %d: %d mutants, %d to try%s" % (
        len(left), " ".join(command(cfg.cxx, cfg.flagv, "a", ["src/*.cpp"])), cfg.seed, len(muts), len(todo),
        "; no coverage build, so every one" if counts is None else ""))
    a, b = collections.Counter(m.file for m in muts), collections.Counter(m.file for _, m in todo)
    print("mutate: by file: left out by the flags, compiled, not run by the tests, to try")
    for f in sorted(left):
        print("  %-22s %4d %4d %4d %4d" % (f, left[f], a[f], a[f] - b[f], b[f]))
    return todo, names


def main():
    """Plant, build and judge the mutants the command line asks for."""
    cfg = options()
    if cfg.self_test:
        sys.exit(self_test())
    signal.signal(signal.SIGINT, interrupted)
    signal.signal(signal.SIGTERM, interrupted)
    if "-DPIN_AVX2" in cfg.flagv and not AVX2:
        sys.exit(print("mutate: skipped: this processor lacks AVX2, which -DPIN_AVX2 needs"))
    if os.uname().machine == "x86_64" and not AVX512 and "-DPIN_" not in cfg.flags:
        cfg.flagv.append("-DPORTABLE_AVX512")	# which it then takes: the AVX-512 code in plain C++
    tree = snapshot(ROOT)
    os.makedirs(cfg.work, exist_ok=True)
    cfg.ref = reference(cfg, tree)
    todo, names = chosen(cfg, tree)
    line = lambda no, m: label(no, m, tree, names)
    if cfg.list:
        return sys.stdout.writelines(line(no, m) + "\n" for no, m in todo)
    if cfg.only:
        todo = [(no, m) for no, m in todo if no in {int(x) for x in cfg.only.split(",")}]
    results = run_all(todo, tree, cfg, lambda no, r: print(
        "%s  %s (%.0f s)" % (line(no, r.mutant), r.verdict, r.seconds), flush=True))
    sys.exit(report(results, cfg, line))

# ---------------------------------------------------------------- self-test

SAMPLE = r"""#define N (1 << \
	4)
enum { ROWS = 0x1f };
static_assert(ROWS < 100, "room");
// if (a < b) c++;
static int f(int a, int b)
{
	/* a > b
	 * && c */
	const char *s = "x < y && 1";
	if (a <= b && !a)
		a++;
	for (int i = 0; i < 3; i++)
		b += s[i] == '0';
	return g(-1, b > 7u);
}

static int h(int x) { return -x != 3; }
"""


def self_test():
    """Check the handling of sources on a sample: what is and is not
    mutated, and how; the order; the lines kept and run."""
    muts, names, spans = candidates(SAMPLE)
    made = {(m.op, SAMPLE[m.start:m.end], m.text) for m in muts}
    inf = [m for m in order(muts, 5) if m.region == muts[0].region]	# those of f() in their order
    ops = len({m.op for m in inf})
    pre = '# 1 "src/a.cpp"\n# 1 "src/./x.h" 1\nint f();\n\n# 3 "src/a.cpp" 2\nint g();\n'
    gcov = lambda name, counts: json.dumps({"files": [{"file": name, "lines": [
        {"line_number": n, "count": c} for n, c in counts]}]})
    runs = line_counts(gcov("src/k.h", [(3, 0), (4, 0)]) + "\n" + gcov("src/./k.h", [(3, 2), (4, 0)]))
    checks = [
        ("nothing in comments, strings, directives", {m.line for m in muts} & {1, 2, 4, 5, 8, 9, 10}, set()),
        ("operators", {x for x in made if x[0] != "const"} >= {
            ("cmp", "<=", "<"), ("cmp", "<=", ">"), ("cmp", "==", "!="), ("cmp", "<", ">="), ("logic", "&&", "||"),
            ("not", "!", ""), ("arith", "+=", "-="), ("incdec", "++", "--"), ("cmp", "!=", "==")}, True),
        ("constants", {x[1:] for x in made if x[0] == "const"} >= {
            ("0x1f", "0x20"), ("7u", "6u"), ("'0'", "'/'"), ("0", "1"), ("1", "2")}, True),
        ("0 not below 0; unary minus kept", [x for x in made if x[1:] in (("0", "-1"), ("-", "+"))], []),
        ("statements dropped", sorted(SAMPLE[m.start:m.end] for m in muts if m.op == "drop"),
         ["a++;", "b += s[i] == '0';"]),
        ("functions", (sorted(names.values()), sorted(spans.values())), (["f()", "h()"], [(7, 16), (18, 18)])),
        ("compiled lines only", {m.line for m in candidates(SAMPLE, {11, 12})[0]}, {11, 12}),
        ("order fixed by the seed", (sorted(order(muts, 5)), order(muts, 5)), (sorted(muts), order(muts, 5))),
        ("functions take rounds", {m.region for m in order(muts, 5)[:2]}, {m.region for m in muts}),
        ("operators take turns", {m.op for m in inf[:ops]}, {m.op for m in inf}),
        ("bump", [bump(t, d) for t, d in [("10", 1), ("0", -1), ("0x0F", 1), ("1ull", -1), ("017", 1), ("0b11", 1),
                                          ("1.5", 1), ("'\\t'", 1), ("'\\\\'", 1), ("'&'", 1), ("'\\x41'", 1)]],
         ["11", None, "0x10", "0ull", "020", "0b100", None, "'\\x0a'", "']'", "'\\x27'", None]),
        ("declarations", [declaration(lex(s)) for s in ("int x = 1;", "uint32_t *b = p;", "x = 1;", "*p = 0;",
                                                         "return;", "return (x);", "f(x);")],
         [True, True, False, False, False, True, False]),
        ("lines kept by the preprocessor", kept(pre), {("src/x.h", 1), ("src/a.cpp", 3)}),
        ("a header's runs summed over units", (runs["src/k.h", 3], runs["src/k.h", 4]), (2, 0))]
    fails = ["FAIL %s: got %r, want %r" % c for c in checks if c[1] != c[2]]
    print("\n".join(fails + ["self-test: %d passed, %d failed" % (len(checks) - len(fails), len(fails))]))
    return 1 if fails else 0


if __name__ == "__main__":
    main()
