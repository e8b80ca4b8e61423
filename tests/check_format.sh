#!/bin/sh
# Every C++ file of the checkout is laid out as .clang-format says.
# Usage: check_format.sh <source-dir>
set -eu
cd "$1"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "every C++ file is laid out as .clang-format says"
