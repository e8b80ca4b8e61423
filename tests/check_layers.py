#!/usr/bin/python3
"""The layers run one way: shell -> screens -> frame -> survey. A file may
include its own layer and the layers below it, never one above. survey/
includes no Qt at all. The operating system is called only by the two
implementations of the result files' system interface: no other source file
of the project, tests and tools included, includes a system header."""

import os
import re
import sys

ORDER = ["survey", "frame", "screens", "shell"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
SYSTEM = re.compile(r"^(unistd\.h|fcntl\.h|sys/.*|iconv\.h|windows\.h|shlobj\.h|knownfolders\.h|winbase\.h)$", re.I)
SYSTEM_IMPLEMENTATIONS = {"survey/platform_posix.cpp", "survey/platform_win32.cpp"}
SOURCES = (".h", ".cpp", ".h.in")
SKIPPED = {".git"}


def sources(root):
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in SKIPPED and not d.startswith("build")]
        for name in files:
            if name.endswith(SOURCES):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, root).replace(os.sep, "/"), path


def main(root):
    bad = []
    for rel, path in sources(root):
        with open(path, encoding="utf-8") as f:
            included = INCLUDE.findall(f.read())
        layer = rel.split("/")[0]
        for inc in included:
            top = inc.split("/")[0]
            if layer in ORDER and top in ORDER and ORDER.index(top) > ORDER.index(layer):
                bad.append(f"{rel} includes {inc}")
            if layer == "survey" and inc.startswith("Q"):
                bad.append(f"{rel} includes Qt ({inc})")
            if SYSTEM.match(inc) and rel not in SYSTEM_IMPLEMENTATIONS:
                bad.append(f"{rel} calls the system directly ({inc})")
    for line in bad:
        print(line)
    print(f"{0 if bad else 1} passed, {1 if bad else 0} failed")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
