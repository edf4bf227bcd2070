#!/usr/bin/env bash
# How long the tests are against the whole project, in non-blank lines of the
# tracked files: C++ (the measure we hold to a third), and everything with
# the shell, Python and CMake files as well.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
count() { xargs -r grep -cv '^[[:space:]]*$' | awk -F: '{s += $NF} END {print s + 0}'; }
share() {
    local what=$1 tests all
    shift
    tests=$(git ls-files -- "$@" | grep '^tests/' | count)
    all=$(git ls-files -- "$@" | count)
    echo "$what: tests $tests of $all lines ($((tests * 100 / all))%); the rest $((all - tests))"
}
share "C++" '*.cpp' '*.h'
share "all files" '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' '*CMakeLists.txt'
