#!/bin/sh
# Each test program lists the same test names twice in a row, and none of
# them carries the bytes of a parameter (a parameter type without PrintTo).
# Usage: check_test_names.sh "<emulator or empty>" program...
set -eu
emulator=$1
shift
failed=0
for program in "$@"; do
  first=$($emulator "$program" --gtest_list_tests)
  second=$($emulator "$program" --gtest_list_tests)
  if [ "$first" != "$second" ]; then
    echo "FAIL: $program lists other names the second time"; failed=1
  fi
  if printf '%s\n' "$first" | grep -q 'byte object'; then
    echo "FAIL: $program names a test by the bytes of its parameter:"
    printf '%s\n' "$first" | grep 'byte object' | head -n 3
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "every test program lists stable, readable names"
exit "$failed"
