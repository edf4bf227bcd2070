#!/usr/bin/env bash
# Checks the private print server on its own, in a folder of its own: it
# starts, owns the default queue, delivers one PDF per job, holds jobs while
# stopped, and stops cleanly.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/oravians-harness.XXXXXX")
chmod 0755 "$work"
dir=$work/cups
trap 'bash "$here/cups.sh" stop "$dir" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

eval "$(bash "$here/cups.sh" start "$dir")"
[[ $CUPS_SERVER == "$dir/cups.sock" && $ORAVIANS_PRINT_OUT == "$dir/out" ]] || fail "wrong environment"
lpstat -d | grep -q 'oravians-pdf' || fail "the test queue is not the default"
echo "ok: server up, default queue oravians-pdf"

printf 'First page\n' > "$work/first.txt"
printf 'Second page\n' > "$work/second.txt"
lp "$work/first.txt" >/dev/null
first=$(bash "$here/cups.sh" wait-pdf "$dir" 20) || fail "no PDF for the first job"
lp "$work/second.txt" >/dev/null
for _ in $(seq 200); do
    [[ $(ls "$ORAVIANS_PRINT_OUT"/job-*.pdf | wc -l) -ge 2 ]] && break
    sleep 0.1
done
[[ $(ls "$ORAVIANS_PRINT_OUT"/job-*.pdf | wc -l) -eq 2 ]] || fail "two jobs did not give two PDFs"
for pdf in "$ORAVIANS_PRINT_OUT"/job-*.pdf; do
    pdfinfo "$pdf" | grep -qE '^Pages: +1$' || fail "$pdf is not a one-page PDF"
done
[[ -f $first ]] || fail "the second job replaced the first"
echo "ok: one PDF per job"

rm -f "$ORAVIANS_PRINT_OUT"/job-*.pdf
cupsdisable oravians-pdf
lp "$work/first.txt" >/dev/null
sleep 2
if ls "$ORAVIANS_PRINT_OUT"/job-*.pdf >/dev/null 2>&1; then fail "a stopped queue printed"; fi
cupsenable oravians-pdf
bash "$here/cups.sh" wait-pdf "$dir" 20 >/dev/null || fail "the held job did not print after the queue was started"
echo "ok: a stopped queue holds its job until started"

bash "$here/cups.sh" stop "$dir"
[[ ! -e $dir/cups.sock ]] || fail "the socket is still there after stop"
lpstat -r 2>&1 | grep -q 'scheduler is not running' || fail "the server still answers after stop"
echo "ok: stopped"
