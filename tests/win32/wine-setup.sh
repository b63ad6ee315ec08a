#!/usr/bin/env bash
# wine-setup.sh start|stop
#
# start: makes the Wine prefix $WINEPREFIX once (wineboot -i, waiting for it to settle), gives
#        Wine's $HOME an .asoundrc whose default sound device is the null device (DirectSound
#        needs one, the test machine has none), and starts one persistent wineserver, so the
#        Win32 checks that follow do not each pay for a server start.
# stop:  ends that server.
set -euo pipefail

: "${WINEPREFIX:?set WINEPREFIX}" "${HOME:?set HOME}"
wine=${WINE:-wine}
wineserver=${WINESERVER:-wineserver}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

case "${1:-}" in
start)
    mkdir -p "$HOME"
    printf 'pcm.!default { type null }\n' >"$HOME/.asoundrc"
    if [ ! -f "$WINEPREFIX/.initialised" ]; then
        echo "wine-setup: making the Wine prefix $WINEPREFIX (once)"
        mkdir -p "$WINEPREFIX"
        "$wine" wineboot -i </dev/null >/dev/null 2>&1 ||
            { echo "wine-setup: wineboot -i failed" >&2; exit 1; }
        "$wineserver" -w </dev/null >/dev/null 2>&1
        touch "$WINEPREFIX/.initialised"
    fi
    # Persistent for a while after the last program ends: long enough to bridge the gaps
    # between tests, short enough not to linger if the stop step never runs.
    # Its output goes nowhere: a server holding this script's output open would keep the test
    # runner waiting for it to end.
    "$wineserver" -p120 </dev/null >/dev/null 2>&1
    # The first program start also brings up Wine's own services; do it here, not in a test.
    "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
    echo "wine-setup: wineserver running for $WINEPREFIX"
    ;;
stop)
    "$wineserver" -k 2>/dev/null || true
    ;;
*)
    echo "usage: wine-setup.sh start|stop" >&2
    exit 2
    ;;
esac
