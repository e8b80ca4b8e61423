#!/usr/bin/python3
"""The layers run one way: shell -> screens -> frame -> survey. A file may
include its own layer and the layers below it, never one above; the survey
arithmetic (all of survey/ but the result files) includes no Qt at all."""

import os
import re
import sys

ORDER = ["survey", "frame", "screens", "shell"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)


def main(root):
    bad = []
    for layer in ORDER:
        for folder, _, files in os.walk(os.path.join(root, layer)):
            for name in files:
                if not name.endswith((".h", ".cpp", ".h.in")):
                    continue
                path = os.path.join(folder, name)
                with open(path, encoding="utf-8") as f:
                    included = INCLUDE.findall(f.read())
                for inc in included:
                    top = inc.split("/")[0]
                    if top in ORDER and ORDER.index(top) > ORDER.index(layer):
                        bad.append(f"{os.path.relpath(path, root)} includes {inc}")
                    if layer == "survey" and not name.startswith("resultfile") and inc.startswith("Q"):
                        bad.append(f"{os.path.relpath(path, root)} includes Qt ({inc})")
    for line in bad:
        print(line)
    print(f"{0 if bad else 1} passed, {1 if bad else 0} failed")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
