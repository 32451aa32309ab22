#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the #include lines under src/: no unit (a .cpp and its header)
takes part in an include cycle, no layer includes a layer above it or beside
it, and nothing but the ui includes Qt. Prints every fault and exits 1 when
there is one; --count prints the number of unit cycles and exits 0. An
argument names another src folder to check."""

import pathlib
import re
import sys

# What each layer may include besides itself (the libraries it links to).
ALLOWED = {
    "core": set(),
    "formulas": {"core"},
    "color": {"core"},
    "files": {"core"},
    "analysis": {"core"},
    "app": {"analysis", "files", "color", "formulas", "core"},
    "cli": {"analysis", "files", "color", "formulas", "core"},
    "ui": {"app", "analysis", "files", "color", "formulas", "core"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r"^Q[A-Za-z]+(/|$)")


def unit_of(path):
    """src/files/atr.cpp and src/files/atr.h are the unit files/atr."""
    return str(path.with_suffix(""))


def read_includes(src):
    """(unit, file, line, quoted include or None, angle include or None)."""
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        rel = path.relative_to(src)
        for number, text in enumerate(path.read_text().splitlines(), 1):
            m = INCLUDE.match(text)
            if m:
                quoted = m.group(1) == '"'
                yield unit_of(rel), rel, number, m.group(2) if quoted else None, (
                    None if quoted else m.group(2))


def unit_graph(src, includes):
    graph = {}
    for unit, _, _, quoted, _ in includes:
        graph.setdefault(unit, set())
        if quoted and (src / quoted).exists():
            target = unit_of(pathlib.Path(quoted))
            if target != unit:
                graph[unit].add(target)
                graph.setdefault(target, set())
    return graph


def cycles(graph):
    """Every elementary cycle, each once, starting at its smallest unit."""
    found = []

    def walk(start, node, path, on_path):
        for nxt in sorted(graph[node]):
            if nxt == start:
                found.append(path + [start])
            elif nxt > start and nxt not in on_path:
                on_path.add(nxt)
                walk(start, nxt, path + [nxt], on_path)
                on_path.discard(nxt)

    for start in sorted(graph):
        walk(start, start, [start], {start})
    return found


def layer_faults(includes):
    faults = []
    for unit, rel, number, quoted, angle in includes:
        layer = rel.parts[0]
        where = f"src/{rel}:{number}"
        if quoted:
            target = pathlib.Path(quoted).parts[0]
            if target != layer and target in ALLOWED and target not in ALLOWED[layer]:
                faults.append(f"{where}: {layer} includes {quoted} from {target}")
        elif layer != "ui" and QT_HEADER.match(angle):
            faults.append(f"{where}: {layer} includes Qt <{angle}>")
    return faults


def main():
    roots = [a for a in sys.argv[1:] if not a.startswith("--")]
    src = pathlib.Path(roots[0]) if roots else pathlib.Path(__file__).resolve().parent.parent / "src"
    includes = list(read_includes(src))
    found = cycles(unit_graph(src, includes))
    if "--count" in sys.argv[1:]:
        print(len(found))
        return 0
    faults = layer_faults(includes)
    faults += ["include cycle: " + " -> ".join(c) for c in found]
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
