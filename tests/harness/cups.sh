#!/usr/bin/env bash
# A private print server for the printing tests: its own cupsd on a Unix
# socket inside <dir>, with one default queue "oravians-pdf" whose backend
# drops every job as <dir>/out/job-<id>.pdf. Never touches the system's CUPS.
#
#   cups.sh start <dir>      start it (prints the export lines for clients)
#   cups.sh stop <dir>       stop it
#   cups.sh env <dir>        print the export lines again
#   cups.sh wait-pdf <dir> [seconds]
#                            wait for a delivered PDF, print its path
#
# Clients read CUPS_SERVER=<dir>/cups.sock; tests find delivered PDFs in
# ORAVIANS_PRINT_OUT=<dir>/out.
set -euo pipefail

usage() { echo "usage: $0 start|stop|env|wait-pdf <dir> [seconds]" >&2; exit 2; }
[[ $# -ge 2 ]] || usage
cmd=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
sock=$dir/cups.sock
queue=oravians-pdf
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd

print_env() {
    echo "export CUPS_SERVER=$sock"
    echo "export ORAVIANS_PRINT_OUT=$dir/out"
}

running() {
    [[ -f $dir/cupsd.pid ]] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null
}

write_config() {
    # Filters run as an unprivileged user and must reach the spool and the
    # PPD, so every folder on the way has to be open to them.
    chmod 0755 "$dir"
    local up=$dir perm
    while [[ $up != / ]]; do
        up=$(dirname "$up")
        if ! perm=$(stat -c %A "$up") || [[ ${perm:9:1} != [xt] ]]; then
            echo "cups.sh: $up is closed to other users; the print filters cannot work below it." >&2
            exit 1
        fi
    done
    mkdir -p "$dir"/{conf,conf/ppd,conf/ssl,spool,spool/tmp,cache,state,log,out,bin/backend}
    # Filters and helpers come from the system; the backend folder holds only
    # our PDF backend, so no job can leave for a real device.
    for sub in cgi-bin daemon driver filter monitor notifier; do
        ln -sfn "/usr/lib/cups/$sub" "$dir/bin/$sub"
    done
    cat > "$dir/bin/backend/oravpdf" <<'BACKEND'
#!/bin/sh
# oravpdf:<folder> -- writes each job to <folder>/job-<id>.pdf, appearing
# only when complete.
if [ $# -eq 0 ]; then
    echo 'file oravpdf "Oravians test PDF" "Oravians test PDF"'
    exit 0
fi
out=${DEVICE_URI#oravpdf:}
tmp="$out/.job-$1.part"
if [ $# -ge 6 ]; then cat "$6" > "$tmp"; else cat > "$tmp"; fi || { rm -f "$tmp"; exit 1; }
# A failed filter leaves nothing: deliver no empty or broken page. (The
# generic PDF driver puts a short printer-language header before the PDF.)
if ! head -c 4096 "$tmp" | grep -q -a '%PDF-'; then
    echo "ERROR: job $1 produced no PDF" >&2
    rm -f "$tmp"
    exit 1
fi
chmod 0644 "$tmp"
mv -f "$tmp" "$out/job-$1.pdf"
exit 0
BACKEND
    # Owned by root and not writable by others, as cupsd insists; 0700 makes
    # it run as root, so it can write into out/ whoever owns it.
    chmod 0700 "$dir/bin/backend/oravpdf"
    chmod 0755 "$dir/bin" "$dir/bin/backend"

    cat > "$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerKeychain $dir/conf/ssl
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
FileDevice Yes
SystemGroup root
CONF
    cat > "$dir/conf/cupsd.conf" <<CONF
LogLevel warn
Listen $sock
Browsing No
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
}

start() {
    if running; then print_env; return 0; fi
    rm -f "$sock"
    write_config
    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 &
    echo $! > "$dir/cupsd.pid"
    for _ in $(seq 100); do
        [[ -S $sock ]] && lpstat -h "$sock" -r >/dev/null 2>&1 && break
        if ! running; then
            echo "cups.sh: cupsd did not start:" >&2
            cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2 || true
            exit 1
        fi
        sleep 0.1
    done
    # (lpadmin warns that PPD files are deprecated; that is expected here.)
    # A4 from the start: the paper tests switch to Letter and back to A4, so
    # every other test sees the same paper whatever ran before it.
    lpadmin -h "$sock" -p "$queue" -E -v "oravpdf:$dir/out" -P "$ppd" -o media-default=iso_a4_210x297mm \
        2>"$dir/log/lpadmin.err" \
        || { cat "$dir/log/lpadmin.err" >&2; exit 1; }
    lpadmin -h "$sock" -d "$queue"
    cupsenable -h "$sock" "$queue"
    cupsaccept -h "$sock" "$queue"
    print_env
}

stop() {
    if running; then
        local pid; pid=$(cat "$dir/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/cupsd.pid" "$sock"
}

wait_pdf() {
    local limit=${1:-10} pdf
    for _ in $(seq $((limit * 10))); do
        pdf=$(ls -t "$dir"/out/job-*.pdf 2>/dev/null | head -n1 || true)
        if [[ -n $pdf ]]; then echo "$pdf"; return 0; fi
        sleep 0.1
    done
    echo "cups.sh: no PDF within ${limit}s" >&2
    return 1
}

case $cmd in
    start) start ;;
    stop) stop ;;
    env) print_env ;;
    wait-pdf) wait_pdf "${3:-10}" ;;
    *) usage ;;
esac
