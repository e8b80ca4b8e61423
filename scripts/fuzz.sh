#!/usr/bin/env bash
# Fuzzes the corner readers (survey/cornerimport.h) with libFuzzer under
# AddressSanitizer and UndefinedBehaviorSanitizer. Not part of CI.
# Usage: scripts/fuzz.sh [seconds]   (default 600)
#
# Installs clang and its fuzzing runtime from Debian when missing, builds
# build-fuzz/cornerimport_fuzz, writes small seed files to build-fuzz/seeds/
# and runs one fuzzing process (one core). What it learns stays in
# build-fuzz/corpus/ for the next run; an input that breaks something is
# written to build-fuzz/crashes/ and ends the run.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-fuzz"
seconds="${1:-600}"

packages=(clang-14 libclang-rt-14-dev)
"$here/scripts/need.sh" "${packages[@]}"

mkdir -p "$build/seeds" "$build/corpus" "$build/crashes"
# The whole core, as this system builds it.
survey=()
for f in "$here"/survey/*.cpp; do
  [[ $f == */platform_win32.cpp ]] || survey+=("$f")
done
clang++-14 -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$here" "$here/tests/fuzz/cornerimport_fuzz.cpp" "${survey[@]}" -o "$build/cornerimport_fuzz"

# Seeds: a pasted table, a SIMA file with a parcel, the same in CP932.
seeds="$build/seeds"
printf '点名\tX\tY\r\nK1\t1078.144\t1000.739\r\n\r\nK2\t１０９０．５\t−12e0\r\n' >"$seeds/table.txt"
printf 'X,Y\n1025.529,999.253,\n1030,1010.5\n' >"$seeds/table.csv"
printf '%s\r\n' 'G00,01,test,' 'Z00,zahyo,' 'A00,' 'A01, 1,T.1A , 1025.529, 999.253, 270.907,' \
  'A01,2,T.2,1030.000,1010.500,,' 'A01,3,,1010.25,1020.75' 'A99,' 'C00,1,T.1A,2,T.2,' \
  'D00,1,宅地,' 'B01,1,T.1A,' 'B01,2,T.2,' 'B01,3,,' 'D99,' >"$seeds/parcel.sim"
printf 'A01,1,\x8a\xee,10,20,\r\nA01,2,\x8f\x80,30,20,\r\nA01,3,\xc3\xde,30,40,\r\nD00,1,\x91\xee\x92\x6e\r\nB01,1,\x8a\xee\r\nB01,2,\x8f\x80\r\nB01,3,\xc3\xde\r\nD99\r\n\x1a' >"$seeds/cp932.sim"

# Words the readers look for, so that the fuzzer need not guess them.
cat >"$build/readers.dict" <<'WORDS'
"A01,"
"B01,"
"D00,"
"D99"
"G00,"
"Z00,"
"A00,"
"A99,"
"\x0d\x0a"
"\x09"
"\xef\xbb\xbf"
"\xe3\x80\x80"
"\xef\xbc\x91"
"\xef\xbc\x8e"
"\xe2\x88\x92"
"e400"
"1e-5"
WORDS

cd "$build"
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ./cornerimport_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
  -dict="$build/readers.dict" -artifact_prefix="$build/crashes/" "$build/corpus" "$seeds"
