#!/usr/bin/env python3
"""Prints the folder -> folder include counts of src/ and fails on a cycle or a wrong arrow.

A folder is the path below src/ without the file name (core/config, gui/qt/dialogs, platform/...;
platform/ and app/ count as one folder each). Rules: no cycle between folders; core/ includes
neither gui/ nor app/; platform/ includes only platform/.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(path):
    parts = path.split("/")[:-1]
    if not parts:
        return None
    if parts[0] in ("platform", "app"):
        return parts[0]
    if parts[0] == "core":
        return "/".join(parts[:2])
    if parts[0] == "gui":
        return "/".join(parts[:3])
    return "/".join(parts)


def graph(src):
    edges = {}
    for root, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp", ".h.in")):
                continue
            full = os.path.join(root, name)
            own = folder_of(os.path.relpath(full, src).replace(os.sep, "/"))
            with open(full, encoding="utf-8") as f:
                for target in INCLUDE.findall(f.read()):
                    if not os.path.exists(os.path.join(src, target)) and not target.endswith(".h"):
                        continue
                    other = folder_of(target)
                    if other is None or other == own:
                        continue
                    edges[(own, other)] = edges.get((own, other), 0) + 1
    return edges


def cycles(edges):
    nodes = {a for a, _ in edges} | {b for _, b in edges}
    succ = {n: sorted(b for a, b in edges if a == n) for n in nodes}
    index, low, stack, on, out = {}, {}, [], set(), []

    def visit(n):
        index[n] = low[n] = len(index)
        stack.append(n)
        on.add(n)
        for m in succ[n]:
            if m not in index:
                visit(m)
                low[n] = min(low[n], low[m])
            elif m in on:
                low[n] = min(low[n], index[m])
        if low[n] == index[n]:
            part = []
            while True:
                m = stack.pop()
                on.discard(m)
                part.append(m)
                if m == n:
                    break
            if len(part) > 1:
                out.append(sorted(part))

    for n in sorted(nodes):
        if n not in index:
            visit(n)
    return out


def wrong_arrow(a, b):
    if a.startswith("core/") and not (b.startswith("core/") or b == "platform"):
        return True
    return a == "platform" and b != "platform"


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src")
    edges = graph(src)
    for (a, b), n in sorted(edges.items()):
        print(f"{a} -> {b}: {n}")
    failures = [f"cycle: {' <-> '.join(c)}" for c in cycles(edges)]
    failures += [f"upward arrow: {a} -> {b}" for (a, b) in sorted(edges) if wrong_arrow(a, b)]
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
