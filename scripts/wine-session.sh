# Sourced by the run and test scripts: an Xvfb display and a persistent
# wineserver of our own, both stopped by wine_session_stop (also on exit), which gives
# the shell back its DISPLAY and its EXIT trap as they were.
#
# Every program runs inside Wine's own desktop (one window of the display's size,
# with a taskbar and its notification area), where Wine manages windows, activation
# and z-order itself as Windows does. Without a window manager Wine would instead
# wait up to 2 s whenever a window is hidden, which Windows never does.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/session-exit.sh"
export WINEPREFIX="${TARNWICK_WINEPREFIX:-$ROOT/build/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_PID=""
WINE_SESSION_SAVED_DISPLAY=""
WINE_SESSION_DISPLAYS=(90 140)   # the first and last display number we may take

# Makes the prefix on first use. Times New Roman, which the program's captions, hints
# and printout ask for, is not on Linux: Liberation Serif has the same metrics.
wine_prefix_prepare() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-session: making the Wine prefix $WINEPREFIX" >&2
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

# True once our Xvfb serves display n; false when it gave up (someone else has n).
# The lock file names the server that holds the display: it must be ours.
xvfb_serves() {   # n
    local n=$1 _
    for _ in $(seq 100); do
        kill -0 "$XVFB_PID" 2>/dev/null || return 1
        if [ -e "/tmp/.X11-unix/X$n" ] && [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$XVFB_PID" ]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Starts Xvfb on the first display that is free, trying the next one when another
# session takes it first.
xvfb_start() {   # WIDTHxHEIGHT
    local size=$1 n
    for n in $(seq "${WINE_SESSION_DISPLAYS[0]}" "${WINE_SESSION_DISPLAYS[1]}"); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        if xvfb_serves "$n"; then
            export DISPLAY=":$n"
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    echo "wine-session: no free X display from :${WINE_SESSION_DISPLAYS[0]} to :${WINE_SESSION_DISPLAYS[1]}" >&2
    return 1
}

# Every program of the prefix joins one desktop of the display's size.
wine_desktop_configure() {   # WIDTHxHEIGHT
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f </dev/null >/dev/null 2>&1
}

wine_session_start() {   # [WIDTHxHEIGHT]
    local size=${1:-1024x768}
    at_session_exit wine_session_stop
    WINE_SESSION_SAVED_DISPLAY=${DISPLAY-__unset__}
    xvfb_start "$size" || return 1
    wine_prefix_prepare
    # A program reads which desktop to join when it starts, and the first one of a
    # wineserver (reg.exe here) may already make the desktop: set it with a server of
    # its own, and start the session's server once that one is gone.
    DISPLAY= wine_desktop_configure "$size"
    wineserver -w
    wineserver -p </dev/null >/dev/null 2>&1
    # The first program starts Wine's background services, which would keep the
    # caller's output pipe open for as long as they live: start them detached.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1
}

wine_session_stop() {
    if [ -n "$XVFB_PID" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    XVFB_PID=""
    if [ -n "$WINE_SESSION_SAVED_DISPLAY" ]; then
        if [ "$WINE_SESSION_SAVED_DISPLAY" = __unset__ ]; then unset DISPLAY; else export DISPLAY=$WINE_SESSION_SAVED_DISPLAY; fi
        WINE_SESSION_SAVED_DISPLAY=""
    fi
    session_exit_done wine_session_stop
}
