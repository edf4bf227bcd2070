#!/usr/bin/env bash
# Runs every test of the project:
#   1. installs what is missing and builds build/ (as tools/run.sh does);
#   2. starts a private print server (tests/harness/cups.sh) for the printing
#      tests and runs the whole CTest suite in build/: the unit suites with
#      each test program started once for all its cases
#      (tools/gtest_batches.py), the rest through CTest;
#   3. meanwhile, at low priority: builds the unit test programs in
#      build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer (the
#      generated content copied from build/) and runs their suites there;
#   4. and beside that builds the fuzz targets in build-fuzz/ with clang and
#      runs each for a bounded time over a copy of its seed corpus in
#      tests/data/fuzz/<name>/.
# Prints a summary and exits non-zero if anything failed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
started=$(date +%s)
fuzz_seconds=${ORAVIANS_FUZZ_SECONDS:-20}
# The labels of the tests that run whole programs or real servers.
whole_programs='e2e|printing|sound-server|ocr|package'

export QT_QPA_PLATFORM=offscreen
export DEBIAN_FRONTEND=noninteractive

work=$(mktemp -d "${TMPDIR:-/tmp}/oravians-test.XXXXXX")
chmod 0755 "$work" # the print server's filters run as another user
background=
# kill_tree PID: the process and all it started.
kill_tree() {
    local child
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do kill_tree "$child"; done
    kill "$1" 2>/dev/null || true
}
cleanup() {
    [[ -z $background ]] || kill_tree "$background"
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

# configure <name> <build dir> <cmake args...>
configure() {
    local name=$1 dir=$2
    shift 2
    echo "== [$name] configure $dir"
    cmake -S . -B "$dir" -G Ninja "$@" >"$work/configure-$name.log" 2>&1
}

# build <name> <build dir> [targets...]: builds all it can, so that one broken
# target still leaves the others' tests.
build() {
    local name=$1 dir=$2
    shift 2
    local targets=()
    (($# == 0)) || targets=(--target "$@")
    echo
    echo "== [$name] build $dir${*:+ ($*)}, $(elapsed "$started") into the run"
    cmake --build "$dir" -j2 "${targets[@]}" -- -k 0 && return 0
    broken "$name" "BUILD FAILED: see the errors above"
    return 1
}

# run_ctest <name> <build dir> <started> <built>: runs the suite in the build;
# CTEST_ARGS (an array) adds arguments to that suite's ctest run; with
# BATCHED=yes the suite runs through tools/gtest_batches.py instead (each
# GoogleTest program started once for all its tests) and CTEST_ARGS are its
# arguments.
run_ctest() {
    local name=$1 dir=$2 t0=$3 built=$4 rc line
    echo
    echo "== [$name] ctest in $dir, $(elapsed "$started") into the run"
    set +e
    if [[ ${BATCHED:-} == yes ]]; then
        python3 tools/gtest_batches.py "$dir" --jobs 2 --timeout 300 "${CTEST_ARGS[@]}" 2>&1 | tee "$work/$name.log"
    else
        ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300 "${CTEST_ARGS[@]}" 2>&1 | tee "$work/$name.log"
    fi
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

# fuzz_one <executable>: one bounded run over a copy of the target's seed
# corpus; leaves its exit status in $work/fuzz-<name>.rc.
fuzz_one() {
    local exe=$1 name corpus rc=0
    name=$(basename "$exe")
    name=${name#fuzz_}
    corpus=$work/corpus-$name
    mkdir -p "$corpus"
    [[ ! -d tests/data/fuzz/$name ]] || cp -R "tests/data/fuzz/$name/." "$corpus/"
    timeout $((fuzz_seconds + 120)) "$exe" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/artifact-$name-" -print_final_stats=1 "$corpus" >"$work/fuzz-$name.log" 2>&1 || rc=$?
    echo "$rc" >"$work/fuzz-$name.rc"
}

# run_fuzzers <configured>: builds the fuzz targets in build-fuzz/ and runs
# them, two at a time (each is one process on one core).
run_fuzzers() {
    local t0 targets exe name log ran=0 bad=0
    t0=$(date +%s)
    if [[ $1 != yes ]]; then
        cat "$work/configure-fuzz.log"
        broken fuzz "CONFIGURE FAILED"
        return 0
    fi
    mapfile -t targets < <(ninja -C build-fuzz -t targets all 2>/dev/null \
        | sed -nE 's/^(fuzz_[A-Za-z0-9_]+): phony$/\1/p' | grep -v '_autogen' | sort -u)
    if ((${#targets[@]} == 0)); then
        record fuzz "no fuzz targets in this version"
        return 0
    fi
    if ! build fuzz build-fuzz "${targets[@]}"; then
        return 0
    fi
    local exes=()
    mapfile -t exes < <(find build-fuzz -path '*/CMakeFiles' -prune -o -type f -name 'fuzz_*' -perm -u+x -print | sort)
    echo
    echo "== [fuzz] ${#exes[@]} targets for ${fuzz_seconds}s each, two at a time, $(elapsed "$started") into the run"
    for exe in "${exes[@]}"; do
        while (($(jobs -rp | wc -l) >= 2)); do wait -n || true; done
        fuzz_one "$exe" &
    done
    wait
    for exe in "${exes[@]}"; do
        name=$(basename "$exe")
        name=${name#fuzz_}
        log=$work/fuzz-$name.log
        ran=$((ran + 1))
        [[ -d tests/data/fuzz/$name ]] || echo "   (no seed corpus tests/data/fuzz/$name/; started empty)"
        if [[ $(cat "$work/fuzz-$name.rc" 2>/dev/null) == 0 ]]; then
            echo "== [fuzz] $name: $(grep -E '^Done [0-9]+ runs' "$log" | tail -n1 || echo done)"
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

# save_results FILE: what this (background) shell recorded, as commands that
# add it to the main shell's records.
save_results() {
    {
        local l
        for l in "${summary[@]}"; do printf 'summary+=(%q)\n' "$l"; done
        for l in "${ctest_lines[@]}"; do printf 'ctest_lines+=(%q)\n' "$l"; done
        echo "tests_total=\$((tests_total + $tests_total))"
        echo "tests_failed=\$((tests_failed + $tests_failed))"
        echo "problems=\$((problems + $problems))"
    } >"$1"
}

# The sanitizer suite: the unit test programs built with AddressSanitizer and
# UndefinedBehaviorSanitizer, run without the whole-program tests.
sanitizer_suite() {
    local t0 built=yes
    t0=$(date +%s)
    if [[ $1 != yes ]]; then
        cat "$work/configure-sanitizers.log"
        broken sanitizers "CONFIGURE FAILED"
        return 0
    fi
    build sanitizers build-asan test_programs || built=no
    export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
    # The whole-program tests (real program under a virtual display, the tour),
    # text recognition and the real print and sound servers run in the first
    # suite; their C++ is covered here by the unit suites and the fuzzers.
    # Running whole programs under the leak checker also made the run fail by
    # chance (its tracer can crash at a busy process's exit).
    # Each test program runs once for all its cases: under the sanitizers,
    # starting a program (and Qt in it) for every case took twice the time of
    # the cases themselves. The first suite still runs every case alone.
    CTEST_ARGS=(--exclude-labels "$whole_programs")
    BATCHED=yes run_ctest sanitizers build-asan "$t0" "$built"
    unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
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

# The three builds are configured side by side (configuring is mostly one
# process waiting on the compiler's checks). build/ is configured as
# tools/setup.sh configures it, so the two share one build.
echo
configure tests build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON &
configure_tests=$!
# The sanitizer build copies the generated content of build/ rather than
# generating it again, slowly, under the sanitizers; line tables (-g1) are
# all its reports need.
# It is built in batches of source files (a unity build): under the
# sanitizers, at -O0, reading the same headers again for every file was most
# of its compile time.
configure sanitizers build-asan -DCMAKE_BUILD_TYPE=Debug -DORAVIANS_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 -DORAVIANS_CONTENT_FROM="$root/build/oravians" &
configure_asan=$!
# The fuzz targets are optimised lightly, with line tables for their reports:
# half the compile time of a full release build, nearly its speed. Each
# target is compiled as one batch of its sources (a unity build).
CC=clang CXX=clang++ configure fuzz build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORAVIANS_FUZZ=ON -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" &
configure_fuzz=$!
asan_configured=yes
fuzz_configured=yes
wait "$configure_asan" || asan_configured=no
wait "$configure_fuzz" || fuzz_configured=no

t0=$(date +%s)
configured=yes
built=yes
if ! wait "$configure_tests"; then
    cat "$work/configure-tests.log"
    broken tests "CONFIGURE FAILED"
    configured=no
elif ! build tests build; then
    built=no
fi

# While the first suite runs (its whole-program tests mostly wait on the
# screen, the printer and the sound server), the sanitizer and fuzz builds
# and runs use the idle processor at the lowest priority, so they never slow
# the first suite's timing. The fuzzers run for a fixed time, so they run
# beside the sanitizer suite rather than after it. Their output follows the
# first suite's.
echo
echo "== [sanitizers] and [fuzz] build and run in the background at low priority; their output follows"
(
    renice -n 19 -p "$BASHPID" >/dev/null || true
    summary=() ctest_lines=() tests_total=0 tests_failed=0 problems=0
    (
        run_fuzzers "$fuzz_configured"
        save_results "$work/fuzz.results"
    ) >"$work/fuzz.out" 2>&1 &
    sanitizer_suite "$asan_configured"
    save_results "$work/sanitizers.results"
    wait
) >"$work/background.log" 2>&1 &
background=$!

if [[ $configured != no ]]; then
    # The unit suites: each test program once for all its cases (starting a
    # program and Qt for every case was three quarters of their processor
    # time, on a machine the background builds keep busy).
    CTEST_ARGS=(--exclude-labels "$whole_programs")
    BATCHED=yes run_ctest unit build "$t0" "$built"
    # Whole programs, real servers and text recognition, each test alone
    # (the printing ones take turns at the shared queue).
    CTEST_ARGS=(-L "$whole_programs")
    run_ctest tests build "$t0" "$built"
fi

wait "$background" || true
background=
echo
cat "$work/background.log" "$work/fuzz.out"
for stage in sanitizers fuzz; do
    if [[ -f $work/$stage.results ]]; then
        source "$work/$stage.results"
    else
        broken "$stage" "DID NOT FINISH"
    fi
done

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
