#!/usr/bin/env bash
# Runs every test of the project:
#   1. installs what is missing and builds build/ (as tools/run.sh does);
#   2. starts a private print server (tests/harness/cups.sh) for the printing
#      tests and runs the whole CTest suite in build/;
#   3. builds build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
#      and runs the suite again there;
#   4. builds the fuzz targets in build-fuzz/ with clang and runs each for a
#      bounded time over a copy of its seed corpus in tests/data/fuzz/<name>/.
# Prints a summary and exits non-zero if anything failed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
started=$(date +%s)
fuzz_seconds=${ORAVIANS_FUZZ_SECONDS:-20}

export QT_QPA_PLATFORM=offscreen
export DEBIAN_FRONTEND=noninteractive

work=$(mktemp -d "${TMPDIR:-/tmp}/oravians-test.XXXXXX")
chmod 0755 "$work" # the print server's filters run as another user
cleanup() {
    bash "$root/tests/harness/cups.sh" stop "$work/cups" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

summary=()      # one line per stage
ctest_lines=()  # ctest's own summary line of each suite run
tests_total=0
tests_failed=0
problems=0

# A stage that could not run counts as one failed test, so that the summary
# line never reads as a pass.
broken() {
    record "$1" "$2"
    ctest_lines+=("[$1] $2")
    tests_total=$((tests_total + 1))
    tests_failed=$((tests_failed + 1))
}

elapsed() { echo "$(( $(date +%s) - $1 ))s"; }
record() { summary+=("$(printf '%-28s %s' "$1" "$2")"); }

# Builds and runs one CTest suite: run_suite <name> <build dir> <cmake args...>
# CTEST_ARGS (an array) adds arguments to that suite's ctest run.
run_suite() {
    local name=$1 dir=$2 t0 rc line
    shift 2
    t0=$(date +%s)
    echo
    echo "== [$name] configure and build $dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@"; then
        broken "$name" "CONFIGURE FAILED ($(elapsed "$t0"))"
        return 0
    fi
    # Builds all it can, so that one broken target still leaves the others' tests.
    local built=yes
    if ! cmake --build "$dir" -j2 -- -k 0; then
        built=no
        broken "$name" "BUILD FAILED: see the errors above"
    fi
    echo "== [$name] ctest in $dir"
    set +e
    ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300 "${CTEST_ARGS[@]}" 2>&1 | tee "$work/$name.log"
    rc=${PIPESTATUS[0]}
    set -e
    line=$(grep -E '^[0-9]+% tests passed' "$work/$name.log" | tail -n1 || true)
    if [[ -z $line ]]; then
        line="no tests ran"
        [[ $rc -eq 0 ]] || problems=$((problems + 1))
    else
        local failed total
        failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        tests_total=$((tests_total + total))
        tests_failed=$((tests_failed + failed))
        [[ $rc -eq 0 ]] || ((failed > 0)) || problems=$((problems + 1))
    fi
    ctest_lines+=("[$name] $line")
    if [[ $rc -eq 0 && $built == yes ]]; then
        record "$name" "ok ($(elapsed "$t0")): $line"
    else
        record "$name" "FAILED ($(elapsed "$t0")): $line"
    fi
}

run_fuzzers() {
    local t0 targets exe name corpus log ran=0 bad=0
    t0=$(date +%s)
    echo
    echo "== [fuzz] configure build-fuzz with clang"
    if ! CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORAVIANS_FUZZ=ON; then
        broken fuzz "CONFIGURE FAILED"
        return 0
    fi
    mapfile -t targets < <(ninja -C build-fuzz -t targets all 2>/dev/null \
        | sed -nE 's/^(fuzz_[A-Za-z0-9_]+): phony$/\1/p' | grep -v '_autogen' | sort -u)
    if ((${#targets[@]} == 0)); then
        record fuzz "no fuzz targets in this version"
        return 0
    fi
    echo "== [fuzz] building ${targets[*]}"
    if ! cmake --build build-fuzz -j2 --target "${targets[@]}"; then
        broken fuzz "BUILD FAILED ($(elapsed "$t0"))"
        return 0
    fi
    for exe in $(find build-fuzz -path '*/CMakeFiles' -prune -o -type f -name 'fuzz_*' -perm -u+x -print | sort); do
        name=$(basename "$exe")
        name=${name#fuzz_}
        corpus=$work/corpus-$name
        mkdir -p "$corpus"
        if [[ -d tests/data/fuzz/$name ]]; then
            cp -R "tests/data/fuzz/$name/." "$corpus/"
        else
            echo "   (no seed corpus tests/data/fuzz/$name/; starting empty)"
        fi
        log=$work/fuzz-$name.log
        echo "== [fuzz] $name for ${fuzz_seconds}s"
        ran=$((ran + 1))
        if timeout $((fuzz_seconds + 120)) "$exe" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
               -artifact_prefix="$work/artifact-$name-" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
            echo "   $(grep -E '^Done [0-9]+ runs' "$log" | tail -n1 || echo done)"
        else
            bad=$((bad + 1))
            mkdir -p out/fuzz-artifacts
            cp "$work"/artifact-"$name"-* out/fuzz-artifacts/ 2>/dev/null || true
            tail -n 40 "$log"
            echo "   FAILED: $name (inputs that broke it are in out/fuzz-artifacts/)"
        fi
    done
    tests_total=$((tests_total + ran))
    tests_failed=$((tests_failed + bad))
    ctest_lines+=("[fuzz] $(( ran == 0 ? 100 : (ran - bad) * 100 / ran ))% fuzz targets passed, $bad failed out of $ran")
    if ((bad == 0)); then
        record fuzz "ok ($(elapsed "$t0")): $ran targets, ${fuzz_seconds}s each"
    else
        record fuzz "FAILED ($(elapsed "$t0")): $bad of $ran targets"
    fi
}

echo "== Packages"
bash tools/setup.sh install

echo
echo "== Starting the private print server"
if cups_env=$(bash tests/harness/cups.sh start "$work/cups"); then
    eval "$cups_env"
    echo "$cups_env"
else
    echo "The private print server did not start; the printing tests will fail." >&2
    broken "print server" "FAILED TO START"
fi

CTEST_ARGS=()
run_suite tests build -DCMAKE_BUILD_TYPE=RelWithDebInfo

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
# The whole-program tests (real program under a virtual display, the tour),
# text recognition and the real print and sound servers ran above; their C++
# is covered here by the unit suites and the fuzzers. Running whole programs
# under the leak checker also made the run fail by chance (its tracer can
# crash at a busy process's exit).
CTEST_ARGS=(-LE 'e2e|printing|sound-server|ocr')
run_suite sanitizers build-asan -DCMAKE_BUILD_TYPE=Debug -DORAVIANS_SANITIZE=ON
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

run_fuzzers

echo
echo "================ Summary ($(elapsed "$started") in all) ================"
printf '%s\n' "${summary[@]}"
echo
printf '%s\n' "${ctest_lines[@]}"
passed=$((tests_total - tests_failed))
percent=$(( tests_total == 0 ? 0 : passed * 100 / tests_total ))
echo "$percent% tests passed, $tests_failed tests failed out of $tests_total"
if ((tests_failed > 0 || problems > 0 || tests_total == 0)); then
    exit 1
fi
