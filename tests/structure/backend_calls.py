#!/usr/bin/env python3
"""Calls run one way through a backend: no two of its files call each other,
directly or round a longer loop. Reads the symbols each object file of the
backend defines and needs (with the nm given) and fails, naming the files
and functions, where the files' calls make a loop.

usage: backend_calls.py NM OBJECT_FOLDER
"""
import pathlib
import subprocess
import sys


def symbols(nm, path):
    """(defined, needed): the object's global functions and data, and what it takes from elsewhere."""
    out = subprocess.run([nm, path], capture_output=True, text=True, check=True).stdout
    defined, needed = set(), set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 2 and parts[0] == "U":
            needed.add(parts[1])
        elif len(parts) == 3 and parts[1] in "TDBRW":
            defined.add(parts[2])
    return defined, needed


def calls(tables):
    """file -> {file it calls: the symbols}, between the files given."""
    edges = {}
    for caller, (_, needed) in tables.items():
        for callee, (defined, _) in tables.items():
            shared = needed & defined
            if caller != callee and shared:
                edges.setdefault(caller, {})[callee] = sorted(shared)
    return edges


def find_loop(edges):
    """A list of files that call round in a loop, or None."""
    state = {}

    def visit(node, path):
        state[node] = "open"
        for nxt in edges.get(node, {}):
            if state.get(nxt) == "open":
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                loop = visit(nxt, path + [nxt])
                if loop:
                    return loop
        state[node] = "done"
        return None

    for start in sorted(edges):
        if start not in state:
            loop = visit(start, [start])
            if loop:
                return loop
    return None


def check_the_check():
    """The loop finder itself finds a loop of two and of three, and none in a chain."""
    pair = {"a": ({"f"}, {"g"}), "b": ({"g"}, {"f"})}
    three = {"a": ({"f"}, {"g"}), "b": ({"g"}, {"h"}), "c": ({"h"}, {"f"})}
    chain = {"a": ({"f"}, {"g"}), "b": ({"g"}, {"h"}), "c": ({"h"}, set())}
    return find_loop(calls(pair)) and find_loop(calls(three)) and not find_loop(calls(chain))


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if not check_the_check():
        print("backend_calls: the loop finder misses loops", file=sys.stderr)
        return 1
    nm, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    objects = sorted(p for p in folder.rglob("*") if p.suffix in (".o", ".obj"))
    if not objects:
        print(f"backend_calls: no object files under {folder}", file=sys.stderr)
        return 1
    tables = {p.name.split(".")[0]: symbols(nm, p) for p in objects}
    edges = calls(tables)
    loop = find_loop(edges)
    if loop:
        steps = [f"{a} -> {b} ({', '.join(edges[a][b][:3])})" for a, b in zip(loop, loop[1:])]
        print("files of the backend call each other round a loop:\n  " + "\n  ".join(steps), file=sys.stderr)
        return 1
    print(f"{len(objects)} files, {sum(len(v) for v in edges.values())} calls between them, all one way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
