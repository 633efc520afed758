#!/bin/bash
# Shows zorpurge at work: an emulated Windows 95 machine (a Wine prefix) with
# Parvella installed and its main program running; zorpurge.exe /del answered
# Yes, then No to the restart; the machine before and after; then the restart
# that deletes the uninstaller itself. Runs the x86_64 build of the same
# sources, since this machine's Wine cannot start 32-bit programs.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZP_BUILD:-$root/build/win64}
work=$root/build/demo
export WINEPREFIX=$work/prefix WINEDEBUG=-all ZP_BIN=$work/bin

trap 'wineserver -k 2>/dev/null' EXIT
rm -rf "$work"
mkdir -p "$ZP_BIN"
cp "$build/zorpurge.exe" "$build/helpers/"*.exe "$ZP_BIN/"

echo "Making an emulated Windows 95 machine in $WINEPREFIX ..."
{ wineboot -i && wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
  wineserver -k && wineserver -w; } >"$work/wine.log" 2>&1
# A session that stays up, as on a machine in use: nothing in wininit.ini is
# carried out until the restart.
wineserver -p
wine cmd /c exit >>"$work/wine.log" 2>&1

. "$root/tests/scenarios/lib.sh"
trap 'wineserver -k 2>/dev/null' EXIT

show_machine() {
    echo "  C:\\Program Files\\ZORTAV:"
    ls "$ZP_INSTALL" | sed 's/^/    /'
    echo "  Settings files in C:\\windows:"
    for f in zortav.ini Qelvanor.ini; do
        [ -e "$ZP_WINDIR/$f" ] && echo "    $f" || echo "    ($f absent)"
    done
    echo "  Registry:"
    zp_wine "$ZP_BIN/probe.exe" $(printf '%s\n' "$ZP_PRODUCT_ENTRIES" "$ZP_NEIGHBOUR_ENTRIES" |
        head -n 6) window ZORTAVCLASS | sed 's/^/    /'
    echo "  C:\\windows\\wininit.ini:"
    if [ -e "$ZP_WININIT" ]; then tr -d '\r' < "$ZP_WININIT" | sed 's/^/    /'
    else echo "    (absent)"; fi
}

echo "Installing Parvella and starting its main program ..."
zp_prepare >/dev/null
zp_start_standin 2000 >/dev/null
echo
echo "Before:"
show_machine
echo
echo "Running $ZP_DEL_LINE, answering Yes, then No to the restart:"
zp_drive "$ZP_DEL_LINE" yes no | sed 's/^/  /'
echo
echo "After:"
show_machine
echo
echo "Restarting Windows (the uninstaller's own file goes now) ..."
wineserver -k
wine cmd /c exit >>"$work/wine.log" 2>&1
zp_wait_for 60 test ! -e "$ZP_INSTALL/zorpurge.exe"
echo "  C:\\Program Files\\ZORTAV after the restart:"
ls "$ZP_INSTALL" | sed 's/^/    /'
[ -e "$ZP_INSTALL/zorpurge.exe" ] && echo "  zorpurge.exe is still there" || echo "  zorpurge.exe is gone."
trap - EXIT
wineserver -k 2>/dev/null
