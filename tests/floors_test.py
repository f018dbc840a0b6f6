#!/usr/bin/env python3
"""The folders of src/ are floors: a file includes only its own floor and those below it, so
nothing but the entry point reaches shell/, and the world stands on nothing, SDL included."""
import pathlib, re, sys

FLOORS = ["world", "game", "render", "combat", "shell"]  # from the bottom up
src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
faults = []
for path in sorted(src.rglob("*.[ch]*")):
    floor = FLOORS.index(path.relative_to(src).parts[0])
    for number, line in enumerate(path.read_text().splitlines(), 1):
        match = re.match(r'\s*#\s*include\s*([<"])([^>"]+)', line)
        if not match:
            continue
        target = match.group(2).split("/")[0]
        if match.group(1) == '"' and (target not in FLOORS or FLOORS.index(target) > floor):
            faults.append(f"{path}:{number}: {FLOORS[floor]}/ includes {match.group(2)}")
        if floor == 0 and target.startswith("SDL"):
            faults.append(f"{path}:{number}: the world includes {match.group(2)}")
print("\n".join(faults) or f"floors: {', '.join(FLOORS)}: ok")
sys.exit(1 if faults else 0)
