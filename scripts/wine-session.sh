# Sourced by the run and test scripts: an Xvfb display and a persistent
# wineserver of our own, both stopped by wine_session_stop (also on errors).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${TARNWICK_WINEPREFIX:-$ROOT/build/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_PID=""

# Makes the prefix on first use. Times New Roman, which the program's captions, hints
# and printout ask for, is not on Linux: Liberation Serif has the same metrics.
wine_prefix_prepare() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        DISPLAY= wineboot -i </dev/null >/dev/null 2>&1 || true
        wineserver -w
    fi
    if [ ! -f "$WINEPREFIX/.tarnwick-fonts" ]; then
        DISPLAY= wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
            /d 'Liberation Serif' /f </dev/null >/dev/null 2>&1 && touch "$WINEPREFIX/.tarnwick-fonts"
        wineserver -w
    fi
}

wine_session_start() {   # [WIDTHxHEIGHT]
    local size="${1:-1024x768}" n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    wine_prefix_prepare
    wineserver -p </dev/null >/dev/null 2>&1
    # The first program starts Wine's background services, which would keep the
    # caller's output pipe open for as long as they live: start them detached.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
    trap wine_session_stop EXIT
}

wine_session_stop() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
    XVFB_PID=""
}
