#!/usr/bin/env python3
"""Fails when an #include in src/ goes against the layers or folders include each other in a circle.

The layers, lowest first: the platform (db, sys and print; then ui), then the data store and the
scheduling core, then the windows (common, editors, views, admin, reports), then the application
shell. A unit may include units of its own folder, of its own layer and of the layers below, never of
a layer above; and no two folders may depend on each other, directly or through others.
"""
import os
import re
import sys

LAYER = {
    "platform/db": 0, "platform/sys": 0, "platform/print": 0,
    "platform/ui": 1,
    "data": 2, "schedule": 2,
    "common": 3, "editors": 3, "views": 3, "admin": 3, "reports": 3,
    "app": 4,
}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    parts = path.split("/")
    key = "/".join(parts[:2]) if parts[0] == "platform" else parts[0]
    return key if key in LAYER else None


def read_edges(src):
    edges, problems = {}, []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(root, name)
            unit = os.path.relpath(path, src)
            here = folder_of(unit)
            if here is None:
                problems.append(f"{unit}: a folder outside the layers")
                continue
            with open(path, encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    there = folder_of(match.group(1)) if match else None
                    if there is None or there == here:
                        continue
                    where = f"{unit}:{number} includes {match.group(1)}"
                    if LAYER[there] > LAYER[here]:
                        problems.append(f"upward: {where}")
                    elif LAYER[there] == LAYER[here]:
                        edges.setdefault(here, {}).setdefault(there, where)
    return edges, problems


def cycles(edges):
    """Each circle of folders once, as the include lines that close it. Only folders of one layer
    can close a circle once no include goes upward, so edges holds only those."""
    found, seen = [], set()

    def walk(start, node, path):
        for nxt in sorted(edges.get(node, {})):
            if nxt == start:
                circle = path + [start]
                key = frozenset(circle)
                if key not in seen:
                    seen.add(key)
                    found.append([edges[a][b] for a, b in zip(circle, circle[1:])])
            elif nxt not in path and nxt > start:
                walk(start, nxt, path + [nxt])

    for start in sorted(edges):
        walk(start, start, [start])
    return found


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src")
    edges, problems = read_edges(src)
    for circle in cycles(edges):
        problems.append("circle: " + "; ".join(circle))
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the layers of src/ (see scripts/check-layers.py)")
        return 1
    print("Includes follow the layers: platform, then data and schedule, then the windows, then app.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
