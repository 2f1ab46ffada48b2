#!/bin/sh
# The Wine prefix that the Windows end-to-end tests share within one run:
#   wineprefix.sh create PREFIX   a fresh prefix, initialised quietly (no display needed)
#   wineprefix.sh remove PREFIX   stops its wineserver and removes it
set -eu
prefix=$2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case $1 in
    create)
        [ -d "$prefix" ] && { wineserver -k 2>/dev/null || true; rm -rf "$prefix"; }
        DISPLAY= wineboot --init >/dev/null 2>&1 || true
        wineserver -w
        [ -f "$prefix/system.reg" ] || { echo "wineboot made no prefix in $prefix" >&2; exit 1; }
        ;;
    remove)
        wineserver -k 2>/dev/null || true
        rm -rf "$prefix"
        ;;
esac
