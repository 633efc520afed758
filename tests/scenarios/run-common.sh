# Shared start of the scenario runners (bash): checks that the build holds the
# program and its helpers, and picks the scenarios to run into "scenarios".
# Expects: runner (its name for messages), here, build; takes the runner's arguments.

for f in "$build/zorpurge.exe" "$build/helpers/drive.exe" "$build/helpers/zortav.exe" \
         "$build/helpers/probe.exe"; do
    if [[ ! -f $f ]]; then
        echo "$runner: $f is missing; build first (make)" >&2
        exit 2
    fi
done

if (($# > 0)); then
    scenarios=("$@")
else
    scenarios=()
    for f in "$here"/*.sh; do
        name=$(basename "$f" .sh)
        [[ $name == lib || $name == run-* ]] || scenarios+=("$name")
    done
fi
for name in "${scenarios[@]}"; do
    if [[ ! -f $here/$name.sh ]]; then
        echo "$runner: no scenario $name" >&2
        exit 2
    fi
done
