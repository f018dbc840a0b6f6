#!/usr/bin/env python3
"""One-line mutants of src/**/*.cpp against the unit tests, the random-play soak included
(make mutants).

Every candidate (operators, number constants, whole statements deleted) is listed in a fixed
order and N are drawn with the seed. Each is applied in turn to a copy of the tracked files in
DIR/tree, built in DIR/build (brannoch_tests) and run: a failure or a timeout kills
it; one that does not build, or that those binaries do not contain (ninja compiles nothing), is
left out of the rate. Writes DIR/report.txt; fails only if the unmutated tree fails its tests.
"""
import argparse, os, random, re, subprocess, sys, time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
ENV = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")

# Each operator has one neighbour; binary operators stand between spaces in this code base,
# which keeps template brackets, -> and unary signs out.
SWAPS = {"cmp": {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="},
         "arith": {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/",
                   "+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="},
         "bool": {"&&": "||", "||": "&&"}}
BINARY = re.compile(r"(?<= )(<=|>=|==|!=|<|>|\+=|-=|\*=|/=|\+|-|\*|/|%|&&|\|\|)(?= )")
NOT = re.compile(r"!(?!=)")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\d+)([uUfF]?)(?![\w.])")
# An expression statement (assignment, call, member call) or a one-line if, break, return;
# declarations and value returns are never deleted.
STATEMENT = re.compile(r"\s*((\+\+|--)?[A-Za-z_]\w*((::|\.|->)\w+|\[[^\]]*\])*\s*"
                       r"(\(|=(?!=)|[-+*/%|&]=|\+\+|--)|if \(|break;|return;)")
LITERAL = re.compile(r"//[^\n]*|/\*.*?\*/|\"(\\.|[^\"\\\n])*\"|'(\\.|[^'\\\n])*'", re.S)
DECLARATION = re.compile(r"\s*(return [^;]|(const|constexpr|static|auto|int|float|double|bool)\b)")


def masked_lines(text):
    """The lines with comments, string and character literals blanked out, columns kept."""
    return LITERAL.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text).split("\n")


def order(mutant):
    return mutant[:4] + mutant[5:]


def candidates(files):
    """(file, line, column, kind, before, after) for every mutant, in a fixed order."""
    found = []
    for name in files:
        previous, text = ";", (ROOT / name).read_text()
        for number, (code, line) in enumerate(zip(masked_lines(text), text.split("\n")), 1):
            stripped = code.strip()
            if not stripped or stripped.startswith("#"):
                continue
            for m in BINARY.finditer(code):
                kind = next(k for k, table in SWAPS.items() if m.group(1) in table)
                found.append((name, number, m.start(), kind, m.group(1), SWAPS[kind][m.group(1)]))
            for m in NOT.finditer(code):
                found.append((name, number, m.start(), "bool", "!", ""))
            for m in NUMBER.finditer(code):
                digits, suffix = m.groups()
                bigger = repr(float(digits) + 1) if "." in digits else str(int(digits) + 1)
                zero = "0.0" if "." in digits else "0"
                for after in [bigger] + ([zero] if float(digits) != 0 else []):
                    found.append((name, number, m.start(), "const", m.group(0), after + suffix))
            whole = (previous[-1] in ";{}:" and stripped.endswith(";")
                     and stripped.count("(") == stripped.count(")"))
            if whole and STATEMENT.match(code) and not DECLARATION.match(code):
                found.append((name, number, 0, "delete", line.strip(), ""))
            previous = stripped
    return sorted(found, key=order)


def apply(text, mutant):
    """The file's text with the mutant applied (original columns: literals are not masked)."""
    _, number, column, kind, before, after = mutant
    lines = text.split("\n")
    line = lines[number - 1]
    if kind == "delete":
        lines[number - 1] = line[:len(line) - len(line.lstrip())]
    else:
        assert line[column:column + len(before)] == before, (mutant, line)
        lines[number - 1] = line[:column] + after + line[column + len(before):]
    return "\n".join(lines)


def sync_tree(tree):
    """Copies the tracked files into tree, rewriting only what differs; drops the rest."""
    listed = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split("\0")
    tracked = {name for name in listed if name and (ROOT / name).is_file()}
    tree.mkdir(parents=True, exist_ok=True)
    for name in tracked:
        source, copy = ROOT / name, tree / name
        data = source.read_bytes()
        if not copy.is_file() or copy.read_bytes() != data:
            copy.parent.mkdir(parents=True, exist_ok=True)
            copy.write_bytes(data)
    for path in tree.rglob("*"):
        if path.is_file() and str(path.relative_to(tree)) not in tracked:
            path.unlink()
    return sorted(n for n in tracked if n.startswith("src/") and n.endswith(".cpp"))


def build(build_dir, name=""):
    """Whether the targets build, and whether they contain name (ninja compiled it again)."""
    done = subprocess.run(["cmake", "--build", str(build_dir), "-j", "2", "--target",
                           "brannoch_tests"], capture_output=True, text=True)
    return done.returncode == 0, name in done.stdout


def tests_pass(build_dir, timeout):
    command = [build_dir / "tests/brannoch_tests", "--gtest_brief=1", "--gtest_fail_fast"]
    try:
        return subprocess.run(command, cwd=build_dir / "tests", env=ENV, timeout=timeout,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--count", type=int, default=80)
    parser.add_argument("--seed", type=int, default=10)
    parser.add_argument("--dir", type=Path, default=ROOT / "build-mutants")
    args = parser.parse_args()
    tree, build_dir = args.dir / "tree", args.dir / "build"
    files = sync_tree(tree)
    if not (build_dir / "CMakeCache.txt").exists():
        subprocess.run(["cmake", "-S", str(tree), "-B", str(build_dir), "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O1",
                        "-DBRANNOCH_BENCH=OFF", "-DBRANNOCH_TESTS=ON"], check=True,
                       stdout=subprocess.DEVNULL)
    built, started = build(build_dir)[0], time.monotonic()
    if not built or not tests_pass(build_dir, 600):
        sys.exit("mutants: the unmutated tree does not build or fails its tests")
    timeout = max(30.0, 5 * (time.monotonic() - started))
    everything = candidates(files)
    sample = sorted(random.Random(args.seed).sample(everything, min(args.count, len(everything))),
                    key=order)
    report = [f"{len(everything)} candidates in {len(files)} files, {len(sample)} drawn with seed "
              f"{args.seed}; timeout {timeout:.0f} s a run"]
    print(report[0], flush=True)
    tally = dict.fromkeys(["killed", "survived", "did not compile", "not in the binaries"], 0)
    start = time.monotonic()
    for mutant in sample:
        name, number, _, kind, before, after = mutant
        original = (tree / name).read_text()
        (tree / name).write_text(apply(original, mutant))
        try:
            compiled, rebuilt = build(build_dir, name)
            outcome = ("did not compile" if not compiled else "not in the binaries" if not rebuilt
                       else "survived" if tests_pass(build_dir, timeout) else "killed")
        finally:
            (tree / name).write_text(original)
        tally[outcome] += 1
        report.append(f"{name}:{number}  {kind}  {before!r} -> {after!r}  {outcome}")
        print(report[-1], flush=True)
    total, runs = time.monotonic() - start, tally["killed"] + tally["survived"]
    summary = [", ".join(f"{what} {n}" for what, n in tally.items()),
               f"kill rate {100 * tally['killed'] / max(runs, 1):.1f}% "
               f"(killed / (killed + survived) = {tally['killed']}/{runs})",
               f"{total:.0f} s in all, {total / max(len(sample), 1):.1f} s a mutant", "survivors:"]
    summary += ["  " + line for line in report if line.endswith("  survived")]
    print("\n".join(summary))
    (args.dir / "report.txt").write_text("\n".join(report + summary) + "\n")


if __name__ == "__main__":
    main()
