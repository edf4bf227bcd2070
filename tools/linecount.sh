#!/usr/bin/env bash
# How long the tests are against the whole project: non-blank lines of the
# tracked C++, shell, Python and CMake files, in tests/ and everywhere.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
count() { xargs -r grep -cv '^[[:space:]]*$' | awk -F: '{s += $NF} END {print s + 0}'; }
files() { git ls-files -- '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' '*CMakeLists.txt'; }
tests=$(files | grep '^tests/' | count)
all=$(files | count)
echo "tests $tests of $all lines ($((tests * 100 / all))%); the rest $((all - tests))"
