#!/bin/bash
# Runs the end-to-end scenarios on the shipped 32-bit build, for real, in the
# guest machine of tests/vm32 (32-bit Wine under QEMU):
#     tests/scenarios/run-guest.sh [SCENARIO...]    (default: every scenario)
# ZP_BUILD names another build folder (default build/win32). The guest image is
# built on first use (a few minutes) into ~/.cache/vm32 and reused after that;
# each scenario then starts from the same saved, running guest, so each gets a
# fresh prefix with its session already running.
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${ZP_BUILD:-$root/build/win32}
work=$root/build/guest-scenarios
vm32=$root/tests/vm32
. "$vm32/common.sh"

runner=run-guest
. "$here/run-common.sh"

started=$SECONDS
if [[ ! -f $VM32_IMG/warm.state || ! -f $VM32_IMG/root.img ]]; then
    echo "run-guest: building the guest image in $VM32_IMG (once per machine)"
    image_started=$SECONDS
    "$vm32/build-image.sh" || { echo "run-guest: the guest image could not be built" >&2; exit 2; }
    echo "run-guest: guest image built in $((SECONDS - image_started))s"
fi

rm -rf "$work"
mkdir -p "$work/job/bin" "$work/job/scenarios" "$work/logs"
cp "$build/zorpurge.exe" "$build/helpers/"*.exe "$work/job/bin/"
cp "$here"/*.sh "$work/job/scenarios/"

failed=()
summary=()
for name in "${scenarios[@]}"; do
    scenario_started=$SECONDS
    echo "=== $name (i686, in the guest)"
    # The guest's prefix already runs a session (wineserver -p), as the
    # scenarios expect; the working folder is the job folder.
    "$vm32/run-exe.sh" -t 900 -o "$work/out-$name" "$work/job" \
        "ZP_BIN=\$(pwd)/bin sh scenarios/$name.sh" 2>"$work/logs/$name.vm32.log"
    rc=$?
    cat "$work/out-$name/stdout.txt" 2>/dev/null
    seconds=$((SECONDS - scenario_started))
    if ((rc == 0)); then
        summary+=("passed  $name (${seconds}s)")
    else
        summary+=("FAILED  $name (${seconds}s, exit $rc), output in $work/out-$name")
        failed+=("$name")
        cat "$work/logs/$name.vm32.log" >&2
    fi
done

echo "=== summary, guest ($((SECONDS - started))s in all)"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]} > 0)); then
    echo "run-guest: ${#failed[@]} scenario(s) failed: ${failed[*]}"
    exit 1
fi
echo "run-guest: all ${#scenarios[@]} scenario(s) passed"
