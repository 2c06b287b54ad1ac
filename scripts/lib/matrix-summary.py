"""Usage: matrix-summary.py MATRIX TREE [TEST...]

Reads the kill matrix that `scripts/mutate --matrix` writes (a line "# tests" naming every test,
then a row per fault: number, verdict, fault, the tests that killed it) and prints, per test of
TREE's sources, its non-blank lines and the faults it kills alone, counted over every test; a unit
test's runs on both builds count as one test. TESTs named (as printed, "unit/Name") are counted as
cut: the faults that only they killed are printed as given up.
"""
import pathlib
import re
import sys

matrix, tree = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
cut = set(sys.argv[3:])


def source_test(run):
    return run.split("@")[0]


def non_blank(lines):
    return sum(1 for line in lines if line.strip())


def lines_of(test):
    kind, name = test.split("/", 1)
    if kind == "fuzz":
        return non_blank((tree / "fuzz" / f"{name}.cpp").read_text().splitlines())
    if kind == "unit":
        for path in sorted((tree / "tests" / "unit").glob("*.cpp")):
            text = path.read_text().splitlines()
            for at, line in enumerate(text):
                if re.match(rf"TEST_F\(\w+, {name}\)", line):
                    end = text.index("}", at)
                    return non_blank(text[at : end + 1])
    if kind == "e2e":
        text = (tree / "tests" / "e2e" / "program_test.cpp").read_text().splitlines()
        for at, line in enumerate(text):
            if re.match(rf'\s*Case\{{"{name}"', line):
                end = at + 1
                while end < len(text) and not re.match(r'\s*(Case\{|\[\]|\}\))', text[end]):
                    end += 1
                return non_blank(text[at:end])
    return 0


tests, rows = [], []
for line in matrix.read_text().splitlines():
    fields = line.split("\t")
    if fields[0] == "# tests":
        tests = sorted({source_test(run) for run in fields[1].split()} - cut)
    elif fields[0].isdigit():
        killers = {source_test(run) for run in (fields[3].split() if len(fields) > 3 else [])}
        if killers and killers <= cut:
            print(f"given up: {fields[0]} {fields[2]}")
        rows.append((int(fields[0]), fields[1], fields[2], killers - cut))

unique = {test: [] for test in tests}
kills = {test: 0 for test in tests}
for number, verdict, _, killers in rows:
    for test in killers:
        kills[test] += 1
    if len(killers) == 1:
        unique[next(iter(killers))].append(number)

lines = {test: lines_of(test) for test in tests}
print(f"{'test':<58} {'lines':>5} {'kills':>5} {'alone':>5}  faults it alone kills")
for test in sorted(tests, key=lambda t: (len(unique[t]), -lines[t])):
    alone = " ".join(map(str, unique[test]))
    print(f"{test:<58} {lines[test]:>5} {kills[test]:>5} {len(unique[test]):>5}  {alone}")
lonely = [test for test in tests if not unique[test]]
print(f"no unique kill: {len(lonely)} tests, {sum(lines[t] for t in lonely)} lines")
total = 0
for path in list((tree / "tests").rglob("*")) + list((tree / "fuzz").rglob("*")):
    if path.is_file() and "corpus" not in path.parts:
        total += non_blank(path.read_text(errors="replace").splitlines())
print(f"shared (fixtures, drivers, build): {total - sum(lines.values())} of {total} lines")
planted = [row for row in rows if row[1] in ("KILLED", "SURVIVED")]
survived = [f"{n}" for n, _, _, killers in planted if not killers]
killed = len(planted) - len(survived)
print(f"survived: {' '.join(survived) or 'none'}")
print(f"score: {killed} of {killed + len(survived)} planted faults killed")
