#!/usr/bin/env python3
"""Checks that #include lines between the source folders run one way only:
from a folder to the folders of its own layer below it, never up. Prints the
folder graph with counts; exits 1 on an include that runs up or sideways."""
import os
import re
import sys

# Folder -> (layer, rank): a folder may include only folders of lower rank
# (res/ holds resource ids, open to the Windows program).
FOLDERS = {
    "common": ("core", 0), "xml": ("core", 1), "catalogue": ("core", 2), "exec": ("core", 2),
    "model": ("core", 3), "tools": ("tools", 6), "sim": ("simulator", 1),
    "framework": ("windows", 4), "winexec": ("windows", 5), "controls": ("windows", 5),
    "dialogs": ("program", 7), "app": ("program", 8), "res": ("resources", -1),
}


def main():
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
    edges = {}
    for folder in FOLDERS:
        path = os.path.join(root, folder)
        for name in sorted(os.listdir(path)) if os.path.isdir(path) else []:
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = re.match(r'\s*#include "([a-z]+)/', line)
                    if match and match.group(1) != folder:
                        key = (folder, match.group(1), name)
                        edges[key] = edges.get(key, 0) + 1
    wrong = []
    graph = {}
    for (source, target, name), count in edges.items():
        graph[(source, target)] = graph.get((source, target), 0) + count
        if target not in FOLDERS:
            wrong.append(f"{source}/{name} includes {target}/, a folder of no layer")
            continue
        if target == "res" and FOLDERS[source][0] in ("program", "windows"):
            continue
        if FOLDERS[target][1] >= FOLDERS[source][1] or target == "res":
            wrong.append(f"{source}/{name} includes {target}/ ({FOLDERS[source][0]} "
                         f"{FOLDERS[source][1]} -> {FOLDERS[target][0]} {FOLDERS[target][1]})")
    for (source, target), count in sorted(graph.items()):
        print(f"{source} -> {target}: {count}")
    for line in sorted(wrong):
        print("WRONG WAY: " + line)
    print(f"{len(graph)} folder links, {len(wrong)} running the wrong way")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
