#!/usr/bin/env python3
"""Breaks the game on purpose, one place at a time, and records which tests notice.

Usage: tools/breaks/run_breaks.py core|ui OUT.json [BREAK_ID ...]
       tools/breaks/run_breaks.py compare BEFORE.json AFTER.json

Each break in core_breaks.py or ui_breaks.py is (id, file, exact text, its
replacement, what it does). For each one the script puts the replacement in the
file, builds the dev preset's tests of that layer, runs them, writes the failing
tests to OUT.json and puts the file back as it was. A break whose text is no
longer in its file is reported, not guessed at. Run it after a change to the
tests, compare OUT.json with an earlier run, and every break caught before must
still be caught. Expect a minute or so a break on two cores.
"""
import importlib.util
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))


def load_breaks(layer):
    place = importlib.util.spec_from_file_location(layer, os.path.join(HERE, f"{layer}_breaks.py"))
    module = importlib.util.module_from_spec(place)
    place.loader.exec_module(module)
    return module.B


def test_targets(layer):
    if layer == "core":
        return ["core_tests"]
    return sorted(f[:-4] for f in os.listdir(os.path.join(TOP, "tests/ui"))
                  if f.startswith("test_") and f.endswith(".cpp"))


def failing_tests(layer, output):
    programs = re.findall(r"^\s*\d+ - (\S+) \(([^)]+)\)", output, re.M)
    # A timeout or a crash is a catch too; it is marked as such.
    odd = [f"{name} [{kind}]" for name, kind in programs if kind != "Failed"]
    if layer == "core":
        return sorted(name for name, kind in programs if kind == "Failed") + sorted(odd)
    # A front-end program holds many test functions: name the ones that failed.
    functions = set(re.findall(r"^FAIL!\s+:\s+(\w+::\w+)\(", output, re.M))
    return sorted(functions) + sorted(odd)


def compare(before_path, after_path):
    """Lists every break caught before and not after; fails if there is one."""
    before, after = json.load(open(before_path)), json.load(open(after_path))
    lost = [bid for bid, seen in before.items()
            if seen.get("failed") and not after.get(bid, {}).get("failed")]
    for bid in lost:
        print(f"{bid}: caught before by {', '.join(before[bid]['failed'])}, not after")
    caught = [sum(1 for r in runs.values() if r.get("failed")) for runs in (before, after)]
    print(f"caught before {caught[0]} of {len(before)}, after {caught[1]} of {len(after)}")
    sys.exit(1 if lost else 0)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "compare":
        compare(sys.argv[2], sys.argv[3])
    if len(sys.argv) < 3 or sys.argv[1] not in ("core", "ui"):
        sys.exit(__doc__)
    layer, out, only = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3:]
    os.chdir(TOP)
    targets = test_targets(layer)
    build = ["cmake", "--build", "--preset", "dev", "-j2", "--target", *targets]
    run = ["ctest", "--test-dir", "build/dev", "-L", layer, "-j2", "--output-on-failure",
           "--timeout", "180"]
    subprocess.run(["cmake", "--preset", "dev"], check=True, capture_output=True)
    results = json.load(open(out)) if os.path.exists(out) else {}
    for bid, path, text, replacement, what in load_breaks(layer):
        if only and bid not in only:
            continue
        source = open(path).read()
        if source.count(text) != 1:
            results[bid] = {"what": what, "error": f"text found {source.count(text)} times"}
            print(bid, "TEXT NOT FOUND ONCE", flush=True)
            continue
        try:
            open(path, "w").write(source.replace(text, replacement))
            built = subprocess.run(build, capture_output=True, text=True)
            if built.returncode != 0:
                results[bid] = {"what": what, "error": "does not build"}
                print(bid, "DOES NOT BUILD", flush=True)
                continue
            tested = subprocess.run(run, capture_output=True, text=True)
            results[bid] = {"what": what, "failed": failing_tests(layer, tested.stdout)}
            print(bid, results[bid]["failed"] or "NOT CAUGHT", flush=True)
        finally:
            open(path, "w").write(source)
            json.dump(results, open(out, "w"), indent=1)
    subprocess.run(build, capture_output=True)  # leave the build as the sources are


if __name__ == "__main__":
    main()
