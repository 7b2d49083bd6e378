#!/usr/bin/env python3
"""The folders stand on each other in layers: a folder includes only itself and the
folders below it, never one that uses it; and no files include each other in a circle.
Prints what breaks either rule and exits 1; run by ctest (IncludeLayers)."""
import os
import re
import sys

# Lower first. Folders of one layer know nothing of each other.
LAYERS = [
    ["res", "store"],
    ["framework"],
    ["pictures", "keyhook"],
    ["actions", "editor", "print"],
    ["app"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources(root):
    for folder in RANK:
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                if name.endswith((".h", ".cpp")):
                    path = os.path.relpath(os.path.join(dirpath, name), root)
                    yield path.replace(os.sep, "/")


def main(root):
    problems = []
    graph = {}
    for path in sources(root):
        with open(os.path.join(root, path), encoding="utf-8") as f:
            includes = INCLUDE.findall(f.read())
        folder = path.split("/")[0]
        # Tests and fuzz targets of a folder stand above it, as its users do.
        is_test = "/tests/" in path or "/fuzz/" in path
        graph[path] = [i for i in includes if "/" in i]
        for included in graph[path]:
            other = included.split("/")[0]
            if other not in RANK or other == folder:
                continue
            if RANK[other] >= RANK[folder] and not (is_test and RANK[other] < RANK[folder]):
                problems.append(f"{path} includes {included}: {other}/ is not below {folder}/")
    # Circles among files, depth first.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if state.get(nxt) == "open":
                problems.append("circle: " + " -> ".join(trail[trail.index(nxt):] + [nxt]) if nxt in trail
                                else f"circle through {nxt}")
            elif nxt in graph and nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in graph:
        if node not in state:
            visit(node, [node])
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")))
