#!/usr/bin/env python3
"""Prints the ratios of one benchmark run: the best CPU time of each case's
repetitions, and how the project's code compares with the peer it is
measured against."""
import json
import re
import sys
from collections import defaultdict

run = json.load(open(sys.argv[1]))
best = defaultdict(lambda: float("inf"))
counters = {}
for b in run["benchmarks"]:
    if b.get("run_type") != "iteration" or b.get("error_occurred"):
        continue
    name = b["run_name"]
    best[name] = min(best[name], b["cpu_time"])
    counters[name] = {k: v for k, v in b.items() if k.endswith("_x_size") or k == "loaders"}


def by_size(case):
    """The best time of each size of one case: BM_<case>/<size>."""
    pattern = re.compile(rf"BM_{case}/(\d+)$")
    return {int(m.group(1)): best[n] for n in best if (m := pattern.match(n))}


print()
for name in sorted(best):
    extra = " ".join(f"{k}={v:.2f}" for k, v in counters.get(name, {}).items())
    print(f"{name:55s} best {best[name]:12.1f} {extra}")
print()
for name in sorted(best):
    m = re.match(r"BM_Keystave/doc:(\d+)/cold:(\d+)", name)
    if m:
        for peer in ("Pugixml", "Tinyxml2"):
            other = f"BM_{peer}/doc:{m.group(1)}/cold:{m.group(2)}"
            if other in best:
                print(f"{name:40s} vs {peer:9s}: {best[other] / best[name]:.2f}x as fast")
nested = by_size("KeystaveNested")
if 2 in nested:
    for depth in sorted(nested):
        print(f"nesting depth {depth:3d}: {nested[depth] / nested[2]:.2f}x the time of depth 2")
enum = by_size("EnumerateStore")
split = by_size("SplitOnly")
count = by_size("CountLines")
for loaders in sorted(enum):
    line = f"{loaders:6d} loaders: EnumerateStore {enum[loaders]:10.1f}"
    if loaders in split:
        line += f"  {enum[loaders] / split[loaders]:.2f}x SplitToolOutput"
    if loaders in count:
        line += f"  {enum[loaders] / count[loaders]:.2f}x a memchr line count"
    print(line + f"  per loader {enum[loaders] / loaders:.3f}")
fill = by_size("DisplayPositions")
old = by_size("DisplayPositionEach")
for loaders in sorted(fill):
    line = f"{loaders:6d} loaders: display positions once {fill[loaders]:10.2f} per loader {fill[loaders] / loaders:.4f}"
    if loaders in old:
        line += f"; one scan per loader {old[loaders]:10.2f} per loader {old[loaders] / loaders:.4f}"
    print(line)
