# Sourced by the test script: a CUPS scheduler with a PDF printer named "PDF" as the
# default printer, so that the programs under Wine print to files that the tests
# read. cups-pdf writes into $TARNWICK_PDF_DIR; print_session_stop ends the scheduler
# (only if we started it) and puts the cups-pdf settings back.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TARNWICK_PDF_DIR="${TARNWICK_PDF_DIR:-$ROOT/build/pdf}"
CUPS_PDF_CONF=/etc/cups/cups-pdf.conf
CUPSD_PID=""
CUPS_PDF_CONF_SAVED=""

cups_running() { [[ $(lpstat -r 2>/dev/null) == *"is running"* ]]; }

print_session_start() {
    trap print_session_stop EXIT
    mkdir -p "$TARNWICK_PDF_DIR"
    # cups-pdf writes as the job's user, which need not be us.
    chmod 1777 "$TARNWICK_PDF_DIR"
    CUPS_PDF_CONF_SAVED="$(mktemp)"
    cp -p "$CUPS_PDF_CONF" "$CUPS_PDF_CONF_SAVED"
    sed -i -E "s|^#?Out .*|Out $TARNWICK_PDF_DIR|" "$CUPS_PDF_CONF"
    if ! cups_running; then
        /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
        CUPSD_PID=$!
        local _
        for _ in $(seq 100); do cups_running && break; sleep 0.1; done
    fi
    lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
    lpadmin -d PDF
}

print_session_stop() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null || true
        wait "$CUPSD_PID" 2>/dev/null || true
        CUPSD_PID=""
    fi
    if [ -n "$CUPS_PDF_CONF_SAVED" ]; then
        cp -p "$CUPS_PDF_CONF_SAVED" "$CUPS_PDF_CONF"
        rm -f "$CUPS_PDF_CONF_SAVED"
        CUPS_PDF_CONF_SAVED=""
    fi
}
