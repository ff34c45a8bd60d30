#!/usr/bin/env bash
# Runs widget test programs under valgrind's memcheck: any invalid access, use of an
# uninitialised value or definite leak fails the run.
#
# Tests that depend on the 80-bit range of the x87 unit are left out here: valgrind computes
# x87 operations in 64-bit doubles, so a value such as 1e400 does not exist under it. They run
# natively in both other builds. The test of resident memory after long pastes is left out
# too: memcheck's own allocator decides the resident size there.
#
# Usage: memcheck.sh SUPPRESSIONS PROGRAM...
set -uo pipefail
suppressions=$1
shift
status=0
for program in "$@"; do
  echo "== memcheck: $(basename "$program")"
  QT_QPA_PLATFORM=offscreen valgrind --quiet --error-exitcode=9 --leak-check=full \
    --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
    --suppressions="$suppressions" --num-callers=40 \
    "$program" --gtest_brief=1 --gtest_filter='-*Overflow*:*KeepMemoryFlat*' || status=1
done
exit $status
