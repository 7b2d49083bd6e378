# Sourced by the test script: a CUPS scheduler of our own whose one printer, "PDF",
# is its default and writes every job as a PDF file into $TARNWICK_PDF_DIR, where the
# tests read it. Its configuration, spool, socket and logs are under build/cups, and
# CUPS_SERVER points Wine and the CUPS tools at its socket, so that the system's
# scheduler, its printers and its default, and everything under /etc stay as they
# are. print_session_stop (also called on exit) ends the scheduler.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/session-exit.sh"
export TARNWICK_PDF_DIR="${TARNWICK_PDF_DIR:-$ROOT/build/pdf}"
PRINT_SESSION_DIR="$ROOT/build/cups"
CUPSD_PID=""

# The printer's description: the PostScript printer of the PDF driver package, which
# Wine's printer driver takes as A4 at 300 dpi. Our backend does what that package's
# own backend does (Ghostscript's pdfwrite), but into a folder it is told.
PRINT_SESSION_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

print_session_running() { [[ $(lpstat -r 2>/dev/null) == *"is running"* ]]; }

# A scheduler that an earlier run left behind (its shell was killed) would still hold
# the socket: it is ours, known by its pid and its configuration, and is ended.
print_session_end_leftover() {
    local pid _
    pid=$(cat "$PRINT_SESSION_DIR/cupsd.pid" 2>/dev/null) || return 0
    [[ $(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline") == *"$PRINT_SESSION_DIR/conf/cupsd.conf"* ]] || return 0
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
}

print_session_start() {
    local dir="$PRINT_SESSION_DIR" user=lp group=lp program _
    at_session_exit print_session_stop
    # The scheduler's files name the folder unquoted, and its socket's path must fit
    # in a sockaddr_un.
    if [[ $dir == *[[:space:]]* ]] || ((${#dir} > 96)); then
        echo "print-session: the scheduler cannot work in $dir (a path with blanks or too long)" >&2
        return 1
    fi
    # Jobs and printers of an earlier run are not ours to reuse.
    print_session_end_leftover
    rm -rf "$dir"
    mkdir -p "$dir/conf" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/bin/backend" "$TARNWICK_PDF_DIR"
    # The backend runs as the scheduler's user for programs, which need not be us.
    chmod 1777 "$TARNWICK_PDF_DIR"
    # Filters and helpers are the system's; the only backend is ours, and, as the
    # scheduler insists, no one else may change it.
    for program in cgi-bin daemon driver filter monitor notifier; do
        ln -s "/usr/lib/cups/$program" "$dir/bin/$program"
    done
    install -m 0755 "$ROOT/scripts/pdf-folder-backend.sh" "$dir/bin/backend/pdf-folder"
    # Run by someone other than root, the scheduler cannot switch users.
    if [ "$(id -u)" -ne 0 ]; then user=$(id -un) group=$(id -gn); fi

    cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerKeychain $dir/state/ssl
Printcap $dir/state/printcap
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
User $user
Group $group
SystemGroup root
FileDevice No
EOF
    cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
MaxLogSize 0
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
PreserveJobHistory No
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    export CUPS_SERVER="$dir/cups.sock"
    /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    CUPSD_PID=$!
    echo "$CUPSD_PID" >"$dir/cupsd.pid"
    for _ in $(seq 100); do
        print_session_running && break
        kill -0 "$CUPSD_PID" 2>/dev/null || break
        sleep 0.1
    done
    if ! print_session_running; then
        echo "print-session: the scheduler did not start; its logs are in $dir/log" >&2
        cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2
        return 1
    fi
    lpadmin -p PDF -v "pdf-folder:$TARNWICK_PDF_DIR" -E -P "$PRINT_SESSION_PPD"
    lpadmin -d PDF
}

print_session_stop() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null || true
        wait "$CUPSD_PID" 2>/dev/null || true
        CUPSD_PID=""
        rm -f "$PRINT_SESSION_DIR/cupsd.pid"
    fi
    if [ "${CUPS_SERVER:-}" = "$PRINT_SESSION_DIR/cups.sock" ]; then unset CUPS_SERVER; fi
    session_exit_done print_session_stop
}
