#!/bin/bash
# Runs the end-to-end scenarios on this machine's Wine against the x86_64 build:
#     tests/scenarios/run-host.sh [SCENARIO...]    (default: every scenario)
# ZP_BUILD names another build folder (default build/win64); it must hold
# zorpurge.exe and helpers/. ZP_SCENARIO_WORK names the folder for prefixes and
# logs (default build/scenarios). Each scenario gets a fresh copy of one template
# prefix made per run, with its own persistent wineserver.
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${ZP_BUILD:-$root/build/win64}
work=${ZP_SCENARIO_WORK:-$root/build/scenarios}
export WINEDEBUG=-all

runner=run-host
. "$here/run-common.sh"

# A scenario run on a shell without bash features catches what the guest's dash would.
shell=$(command -v dash || echo sh)

prefixes=()
stop_wineservers() {
    local prefix
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null
    done
}
trap stop_wineservers EXIT

# Only what an earlier run left here, so a folder given by mistake loses nothing else.
rm -rf "$work/bin" "$work/logs" "$work/template" "$work"/prefix-*
mkdir -p "$work/bin" "$work/logs"
cp "$build/zorpurge.exe" "$build/helpers/"*.exe "$work/bin/"
started=$SECONDS

# The template: a new prefix that has the null graphics driver before its first
# session, since a desktop started without it cannot show message boxes later.
template=$work/template
prefixes+=("$template")
echo "run-host: making the template prefix"
if ! { WINEPREFIX=$template wineboot -i &&
       WINEPREFIX=$template wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
       WINEPREFIX=$template wineserver -k; } >"$work/logs/template.log" 2>&1; then
    echo "run-host: could not make the template prefix, see $work/logs/template.log" >&2
    exit 2
fi
WINEPREFIX=$template wineserver -w

failed=()
summary=()
for name in "${scenarios[@]}"; do
    prefix=$work/prefix-$name
    prefixes+=("$prefix")
    cp -a "$template" "$prefix"
    scenario_started=$SECONDS
    # A running session, as on a machine in use: the persistent wineserver keeps
    # it open, so its start-up tasks run now and not in the middle of the scenario.
    WINEPREFIX=$prefix wineserver -p
    WINEPREFIX=$prefix wine cmd /c exit >>"$work/logs/$name.wine.log" 2>&1
    echo "=== $name"
    ZP_BIN=$work/bin WINEPREFIX=$prefix "$shell" "$here/$name.sh" 2>&1 | tee "$work/logs/$name.log"
    rc=${PIPESTATUS[0]}
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
    WINEPREFIX=$prefix wineserver -w 2>/dev/null
    seconds=$((SECONDS - scenario_started))
    if ((rc == 0)); then
        summary+=("passed  $name (${seconds}s)")
        rm -rf "$prefix"
    else
        summary+=("FAILED  $name (${seconds}s), prefix kept in $prefix")
        failed+=("$name")
    fi
done

echo "=== summary ($((SECONDS - started))s in all)"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]} > 0)); then
    echo "run-host: ${#failed[@]} scenario(s) failed: ${failed[*]}"
    exit 1
fi
echo "run-host: all ${#scenarios[@]} scenario(s) passed"
