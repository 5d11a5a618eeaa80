#!/usr/bin/env python3
"""Fails when an include runs from a lower layer to a higher one.

Every quoted include names its file from src/ ("model/records.h", "ui/pages/page_web.h").
A file may include its own folder and any folder of a lower rank; folders of the same
rank are independent of each other. docs/architecture.md draws the same ranks.
"""
import pathlib
import re
import sys

# src/<folder>: rank
SRC_RANKS = {
    "model": 0,
    "codegen": 1, "settings": 1,
    "publish": 2, "exchange": 2, "platform": 2,
    "cli": 3, "ui": 3,
}
# src/ui/<folder>: rank
UI_RANKS = {
    "common": 0,
    "dialogs": 1,
    "pages": 2,
    "tree": 3, "preview": 3,
    "main": 4,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(parts):
    """(layer, room) of a path relative to src/, room None outside src/ui."""
    if len(parts) < 2:
        return None, None
    layer = parts[0]
    room = parts[1] if layer == "ui" and len(parts) > 2 else None
    return layer, room


def arrow_fault(source, target, ranks):
    if source == target or target not in ranks:
        return None
    if source not in ranks:
        return f"folder '{source}' has no rank"
    if ranks[target] >= ranks[source]:
        return f"'{source}' may not include '{target}'"
    return None


def check(src):
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        layer, room = folder_of(path.relative_to(src).parts)
        if layer not in SRC_RANKS:
            faults.append(f"{path}: folder '{layer}' has no rank")
            continue
        if layer == "ui" and room not in UI_RANKS:
            faults.append(f"{path}: src/ui files live in one of {sorted(UI_RANKS)}")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target_layer, target_room = folder_of(pathlib.PurePosixPath(match[1]).parts)
            fault = arrow_fault(layer, target_layer, SRC_RANKS)
            if fault is None and layer == "ui" and target_layer == "ui":
                fault = arrow_fault(room, target_room, UI_RANKS)
            if fault:
                faults.append(f"{path}:{number}: {fault} ({match[1]})")
    return faults


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else
                       pathlib.Path(__file__).resolve().parent.parent / "src")
    faults = check(src)
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
