#!/usr/bin/env python3
"""Fails when a source file includes a header of a folder above its own, or when a plain folder
includes a Qt header. The layers, lowest first; folders on one layer do not include each other."""
import pathlib
import re
import sys

LAYERS = [
    ("calc",),
    ("text", "diagram", "history"),
    ("chart",),
    ("spin",),
    ("desktop",),
    ("shell", "cli"),
    ("app", "python"),
]
# Built without Qt (python/ with pybind11 beside the standard library).
PLAIN = {"calc", "text", "diagram", "history", "chart", "cli", "python"}

RANK = {folder: rank for rank, layer in enumerate(LAYERS) for folder in layer}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def faults_of(root, path):
    folder = path.relative_to(root).parts[0]
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        bracket, header = match.groups()
        where = f"{path.relative_to(root)}:{number}: {header}"
        if folder in PLAIN and bracket == "<" and re.match(r"Q[A-Za-z]", header):
            yield f"{where}: a plain folder includes Qt"
        target = header.split("/")[0]
        if bracket == '"' and "/" in header and target != folder:
            if target not in RANK:
                yield f"{where}: a folder outside the layers"
            elif RANK[target] >= RANK[folder]:
                yield f"{where}: {folder}/ may include only the layers below it"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    sources = [p for folder in RANK for p in sorted((root / folder).glob("*"))
               if p.suffix in (".h", ".cpp")]
    faults = [fault for path in sources for fault in faults_of(root, path)]
    print("\n".join(faults) if faults else f"{len(sources)} files, every include points down")
    return 1 if faults or not sources else 0


if __name__ == "__main__":
    sys.exit(main())
