#!/usr/bin/python3
"""Writes the commands of one README section, with the output the README shows for each.

Usage: readme_commands.py README SECTION OUT_DIR

In the section's code blocks a command is a line beginning "$ " (a line after one that ends in
"|" or "\\" continues it); the lines after it, up to the next command or the end of the block,
are its standard output. OUT_DIR receives NN.sh (the command) and NN.out (the output) for
each, numbered in the order of the README.
"""

import pathlib
import sys


def section_lines(readme: str, title: str) -> list[str]:
    lines = readme.splitlines()
    start = lines.index("## " + title) + 1
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("## ")), len(lines))
    return lines[start:end]


def commands(lines: list[str]) -> list[tuple[str, str]]:
    found: list[tuple[list[str], list[str]]] = []
    in_block = False
    continuing = False
    for line in lines:
        if line.startswith("```"):
            in_block = not in_block
            continuing = False
            continue
        if not in_block:
            continue
        if continuing:
            found[-1][0].append(line)
        elif line.startswith("$ "):
            found.append(([line[2:]], []))
        elif found:
            found[-1][1].append(line)
        continuing = bool(found) and line.rstrip().endswith(("|", "\\")) and not found[-1][1]
    return [("\n".join(command) + "\n", "".join(o + "\n" for o in output))
            for command, output in found]


def main() -> None:
    readme, title, out_dir = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    out_dir.mkdir(parents=True, exist_ok=True)
    found = commands(section_lines(pathlib.Path(readme).read_text(encoding="utf-8"), title))
    if not found:
        sys.exit(f"no commands in the section '{title}' of {readme}")
    for number, (command, output) in enumerate(found, start=1):
        (out_dir / f"{number:02}.sh").write_text(command, encoding="utf-8")
        (out_dir / f"{number:02}.out").write_text(output, encoding="utf-8")


if __name__ == "__main__":
    main()
