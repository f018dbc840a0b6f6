#!/usr/bin/env python3
"""The folders of src/ are floors: a file includes only its own floor and those below, so only the
entry point reaches shell/, and the world stands on nothing of ours, nor on SDL. The rules draw
only through the effect makers: the frame's drawing order belongs to the shell."""
import pathlib, re, sys

FLOORS = ["world", "game", "render", "combat", "shell"]  # from the bottom up
src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
faults = []
for path in sorted(src.rglob("*.[ch]*")):
    floor = FLOORS.index(path.relative_to(src).parts[0])
    for number, line in enumerate(path.read_text().splitlines(), 1):
        for quote, target in re.findall(r'^\s*#\s*include\s*([<"])(\w+)', line):
            drawing = floor == 3 and target == "render" and "render/effects.h" not in line
            if (quote == '"' and FLOORS.index(target) > floor) or (floor == 0 and "SDL" in target) \
                    or drawing:
                faults.append(f"{path}:{number}: {FLOORS[floor]}/ includes {line.split()[-1]}")
print("\n".join(faults) or f"floors: {', '.join(FLOORS)}: ok")
sys.exit(1 if faults else 0)
