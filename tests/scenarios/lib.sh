# Shared code of the end-to-end scenarios: a demo installation of Parvella in a
# Wine prefix that behaves like Windows 95, the helpers that drive zorpurge.exe,
# and checks that print PASS/FAIL lines. Sourced by every scenario; POSIX sh.
#
# The runner provides:
#   ZP_BIN      folder holding zorpurge.exe, drive.exe, zortav.exe and probe.exe,
#               all built for the architecture of the Wine that runs them
#   WINEPREFIX  a prefix that had the null graphics driver before its session
#               started (a desktop started without it shows no message boxes),
#               best with that session kept open by the runner (wineserver -p)
# Only wine, wineserver, sh, coreutils, grep and sed are used.

set -u
: "${ZP_BIN:?set ZP_BIN to the folder holding zorpurge.exe and the helpers}"
: "${WINEPREFIX:?set WINEPREFIX to a prefix with a running session}"
export WINEPREFIX
WINEDEBUG=${WINEDEBUG:--all}
export WINEDEBUG

ZP_NAME=$(basename "$0" .sh)
ZP_C="$WINEPREFIX/drive_c"
ZP_INSTALL="$ZP_C/Program Files/ZORTAV"
ZP_WINDIR="$ZP_C/windows"
ZP_WININIT="$ZP_WINDIR/wininit.ini"
# Logs, transcripts and the setup file live in C:\zptest so that Windows
# programs can name them too.
ZP_WORK="$ZP_C/zptest"
ZP_WORK_WIN='C:\zptest'
ZP_STANDIN_LOG="$ZP_WORK/zortav.log"
ZP_EXE_WIN='C:\Program Files\ZORTAV\zorpurge.exe'
ZP_DEL_LINE="\"$ZP_EXE_WIN\" /del"
ZP_CAPTION='Parvella Uninstall Utility'
ZP_CONFIRM_BOX="box: $ZP_CAPTION | Do you want to uninstall Parvella?"
ZP_RESTART_BOX="box: $ZP_CAPTION | It is necessary to restart to complete uninstalling.\\nDo you want to restart?"
ZP_NL='
'
zp_failures=0
zp_standin_pid=

ZP_RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
ZP_RUNONCE_KEY='Software\Microsoft\Windows\CurrentVersion\RunOnce'
ZP_UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall'

# What the uninstaller must remove (paths below drive_c, probe checks) ...
ZP_PRODUCT_FILES='Program Files/ZORTAV/zorvis.dll
Program Files/ZORTAV/zortav.exe
Program Files/ZORTAV/Qelvanor.dll
Program Files/ZORTAV/trelbund.vxd
windows/zortav.ini
windows/Qelvanor.ini'
ZP_PRODUCT_ENTRIES="key HKLM Software\\ZOR\\ZORTAV
value HKLM $ZP_RUN_KEY ZORTAV
value HKLM $ZP_RUNONCE_KEY ZORTAV
key HKLM $ZP_UNINSTALL_KEY\\ZORTAV"
# ... and what lies beside it and must stay. The value ZORTAV under the maker's
# key is a trap for a key deletion done as a value deletion; the current user's
# entries share the product's names but are not the product's.
ZP_NEIGHBOUR_FILES='Program Files/ZORTAV
Program Files/ZORTAV/readme.txt'
ZP_NEIGHBOUR_ENTRIES="key HKLM Software\\ZOR
value HKLM Software\\ZOR ZORTAV
value HKLM Software\\ZOR Maker
value HKLM $ZP_RUN_KEY Fennwick
key HKCU Software\\ZOR\\ZORTAV
value HKCU $ZP_RUN_KEY ZORTAV
value HKCU $ZP_RUNONCE_KEY ZORTAV
key HKCU $ZP_UNINSTALL_KEY\\ZORTAV"

# The wininit.ini of another program's pending update: a deletion, a rename and
# a section of its own, each of which must survive the uninstaller's entry.
ZP_OTHER_RENAME_LINES='NUL=C:\FENN\OLDTOOL.EXE
C:\FENN\NEWLIB.DLL=C:\FENN\NEWLIB.TMP'
ZP_OTHER_SECTION_LINES='Cleanup=C:\FENN\SETUP.LOG'
ZP_SELF_DELETE_LINE='NUL=C:\PROGRA~1\ZORTAV\zorpurge.exe'

# The checks count failures in this shell: never call one inside a pipeline or
# $(...), whose subshell would lose the count.
zp_pass() {
    echo "PASS $ZP_NAME: $1"
}

zp_fail() {
    echo "FAIL $ZP_NAME: $1"
    zp_failures=$((zp_failures + 1))
}

zp_line_count() {
    printf '%s\n' "$1" | wc -l
}

# Compares two texts line by line. On a difference it shows the lines that
# differ, or both texts whole when their lengths differ.
zp_compare() {  # LABEL EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        zp_pass "$1"
        return
    fi
    zp_fail "$1"
    zp_count=$(zp_line_count "$2")
    if [ "$zp_count" -ne "$(zp_line_count "$3")" ]; then
        printf '%s\n' "$2" | sed 's/^/    expected: /'
        printf '%s\n' "$3" | sed 's/^/    actual:   /'
        return
    fi
    zp_i=1
    while [ "$zp_i" -le "$zp_count" ]; do
        zp_want=$(printf '%s\n' "$2" | sed -n "${zp_i}p")
        zp_got=$(printf '%s\n' "$3" | sed -n "${zp_i}p")
        if [ "$zp_want" != "$zp_got" ]; then
            echo "    expected: $zp_want"
            echo "    actual:   $zp_got"
        fi
        zp_i=$((zp_i + 1))
    done
}

# Runs a Windows program; its output without carriage returns goes to stdout,
# Wine's own messages to the scenario's Wine log.
zp_wine() {
    { wine "$@" 2>>"$ZP_WORK/wine.log"; echo "wine $1: exit $?" >>"$ZP_WORK/wine.log"; } | tr -d '\r'
}

# Polls a shell command until it succeeds or SECONDS have passed.
zp_wait_for() {  # SECONDS COMMAND...
    zp_deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$zp_deadline" ] || return 1
        sleep 0.2
    done
}

# Makes the prefix behave like Windows 95 for zorpurge.exe and installs the demo
# Parvella with its neighbours. With "without-wininit" no wininit.ini is left, as
# on a machine that has restarted since its last update.
zp_prepare() {  # [without-wininit]
    mkdir -p "$ZP_WORK" "$ZP_INSTALL" "$ZP_C/FENN"
    # Windows 95 reaches the install folder by its FAT alias; Wine's own short
    # names are hashes, so the alias is a link.
    [ -e "$ZP_C/PROGRA~1" ] || ln -s "Program Files" "$ZP_C/PROGRA~1"

    # The start-up entries name programs that do not exist: a Wine session that
    # starts while they are there runs them, and waits for the RunOnce ones.
    sed 's/$/\r/' > "$ZP_WORK/setup.reg" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\zorpurge.exe]
"Version"="win95"

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Graphics"="null"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\ZOR]
"Maker"="Zor Systems"
"ZORTAV"="not the product's key"

[HKEY_LOCAL_MACHINE\\Software\\ZOR\\ZORTAV]
"InstallDir"="C:\\\\Program Files\\\\ZORTAV"

[HKEY_LOCAL_MACHINE\\Software\\ZOR\\ZORTAV\\Settings]
"Level"=dword:00000002

[HKEY_LOCAL_MACHINE\\$ZP_RUN_KEY]
"ZORTAV"="C:\\\\PROGRA~1\\\\ZORTAV\\\\ZORSTART.EXE"
"Fennwick"="C:\\\\FENN\\\\FENNTRAY.EXE"

[HKEY_LOCAL_MACHINE\\$ZP_RUNONCE_KEY]
"ZORTAV"="C:\\\\PROGRA~1\\\\ZORTAV\\\\ZORSTART.EXE /first"

[HKEY_LOCAL_MACHINE\\$ZP_UNINSTALL_KEY\\ZORTAV]
"DisplayName"="Parvella"
"UninstallString"="C:\\\\PROGRA~1\\\\ZORTAV\\\\zorpurge.exe /del"

[HKEY_CURRENT_USER\\Software\\ZOR\\ZORTAV]
"User"="someone"

[HKEY_CURRENT_USER\\$ZP_RUN_KEY]
"ZORTAV"="C:\\\\PROGRA~1\\\\ZORTAV\\\\ZORSTART.EXE /user"

[HKEY_CURRENT_USER\\$ZP_RUNONCE_KEY]
"ZORTAV"="C:\\\\PROGRA~1\\\\ZORTAV\\\\ZORSTART.EXE /user /first"

[HKEY_CURRENT_USER\\$ZP_UNINSTALL_KEY\\ZORTAV]
"DisplayName"="Parvella (per user)"
EOF
    wine regedit /S "$ZP_WORK_WIN\\setup.reg" 2>>"$ZP_WORK/wine.log"

    # Files after the registry: should the import have opened the Wine session,
    # its start-up tasks have run by now and leave wininit.ini alone.
    cp "$ZP_BIN/zorpurge.exe" "$ZP_BIN/zortav.exe" "$ZP_INSTALL/"
    for f in zorvis.dll Qelvanor.dll trelbund.vxd; do
        echo "Parvella component $f" > "$ZP_INSTALL/$f"
    done
    echo "Parvella read me" > "$ZP_INSTALL/readme.txt"
    printf '[ZORTAV]\r\nScan=1\r\n' > "$ZP_WINDIR/zortav.ini"
    printf '[Qelvanor]\r\nLevel=2\r\n' > "$ZP_WINDIR/Qelvanor.ini"
    echo "old tool" > "$ZP_C/FENN/OLDTOOL.EXE"
    echo "new library" > "$ZP_C/FENN/NEWLIB.TMP"
    rm -f "$ZP_WININIT" "$ZP_WINDIR/wininit.bak"
    if [ "${1:-}" != without-wininit ]; then
        { echo '[Rename]'; echo "$ZP_OTHER_RENAME_LINES"; echo
          echo '[Fennwick]'; echo "$ZP_OTHER_SECTION_LINES"; } | sed 's/$/\r/' > "$ZP_WININIT"
    fi
}

# Starts the stand-in main program from the install folder and waits until its
# window exists.
zp_start_standin() {  # CLOSE_DELAY_MS
    rm -f "$ZP_STANDIN_LOG"
    wine 'C:\Program Files\ZORTAV\zortav.exe' --close-delay "$1" --log "$ZP_WORK_WIN\\zortav.log" \
        2>>"$ZP_WORK/wine.log" &
    zp_standin_pid=$!
    if zp_wait_for 60 grep -q "^ready" "$ZP_STANDIN_LOG" 2>/dev/null; then
        zp_pass "stand-in main program is running"
    else
        zp_fail "stand-in main program did not start"
    fi
}

# The stand-in's log as plain lines.
zp_standin_log() {
    tr -d '\r' < "$ZP_STANDIN_LOG" 2>/dev/null
}

# Starts zorpurge.exe through drive.exe and answers its boxes; the transcript
# (one line per box, then the exit code) is printed.
zp_drive() {  # COMMANDLINE [yes|no]...
    zp_wine "$ZP_BIN/drive.exe" "$@"
}

# The line drive.exe prints before each of several runs.
zp_run_line() {  # COMMANDLINE
    printf 'run: %s\n' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/\t/\\t/g')"
}

# Checks drive.exe's transcript against the expected lines.
zp_expect_transcript() {  # LABEL TRANSCRIPT EXPECTED_LINE...
    zp_label=$1 zp_actual=$2
    shift 2
    zp_compare "$zp_label" "$(printf '%s\n' "$@")" "$zp_actual"
}

# Checks registry entries and windows in one probe.exe run. Each line of LINES
# is a probe check followed by the expected "present" or "absent".
zp_expect_probe() {  # LABEL LINES
    zp_label=$1
    zp_expected=$(printf '%s\n' "$2" | grep -v '^$')
    set -f
    set --
    zp_ifs=$IFS
    IFS=$ZP_NL
    for zp_line in $zp_expected; do
        IFS=' '
        set -- "$@" ${zp_line% *}
    done
    IFS=$zp_ifs
    set +f
    zp_compare "$zp_label" "$zp_expected" "$(zp_wine "$ZP_BIN/probe.exe" "$@")"
}

# Checks files below drive_c. Each line of LINES is a path followed by the
# expected "present" or "absent".
zp_expect_files() {  # LABEL LINES
    zp_label=$1
    zp_expected=$(printf '%s\n' "$2" | grep -v '^$')
    zp_actual=$(printf '%s\n' "$zp_expected" | while IFS= read -r zp_line; do
        if [ -e "$ZP_C/${zp_line% *}" ]; then
            echo "${zp_line% *} present"
        else
            echo "${zp_line% *} absent"
        fi
    done)
    zp_compare "$zp_label" "$zp_expected" "$zp_actual"
}

# Prints each line of the lists followed by STATE.
zp_with_state() {  # STATE LIST...
    zp_state=$1
    shift
    printf '%s\n' "$@" | sed "/^\$/d; s/\$/ $zp_state/"
}

# Everything of Parvella and everything beside it is still there; EXTRA adds
# probe lines of its own.
zp_expect_installed() {  # LABEL [EXTRA]
    zp_expect_files "$1: files" "$(zp_with_state present \
        "$ZP_PRODUCT_FILES" "$ZP_NEIGHBOUR_FILES" 'Program Files/ZORTAV/zorpurge.exe')"
    zp_expect_probe "$1: registry" "$(zp_with_state present \
        "$ZP_PRODUCT_ENTRIES" "$ZP_NEIGHBOUR_ENTRIES")
${2:-}"
}

# Parvella's files and entries are gone, its main program's window too, and
# everything beside them stays. The uninstaller's own file waits for the restart.
zp_expect_uninstalled() {
    zp_expect_files "product files deleted, others kept" "$(
        zp_with_state absent "$ZP_PRODUCT_FILES"
        zp_with_state present "$ZP_NEIGHBOUR_FILES" 'Program Files/ZORTAV/zorpurge.exe')"
    zp_expect_probe "product registry entries removed, others kept" "$(
        zp_with_state absent "$ZP_PRODUCT_ENTRIES" 'window ZORTAVCLASS'
        zp_with_state present "$ZP_NEIGHBOUR_ENTRIES")"
}

# Prints the key lines of one section of an ini file, in order, without blank
# lines or carriage returns; section names match regardless of case, as on Windows.
zp_ini_section() {  # FILE SECTION
    { tr -d '\r' < "$1"; } 2>/dev/null | sed -n "/^\\[$2\\][[:space:]]*\$/I,/^\\[/{ /^\\[/d; /^[[:space:]]*\$/d; p; }"
}

zp_file_sum() {
    cksum < "$1" 2>/dev/null
}

# Ends every Wine process of this scenario and reports; the exit status tells
# whether any check failed.
zp_finish() {
    wineserver -k 2>/dev/null
    [ -n "$zp_standin_pid" ] && wait "$zp_standin_pid" 2>/dev/null
    zp_standin_pid=
    trap - EXIT
    if [ "$zp_failures" -eq 0 ]; then
        echo "scenario $ZP_NAME: passed"
        exit 0
    fi
    echo "scenario $ZP_NAME: $zp_failures check(s) failed"
    exit 1
}

# A scenario that stops early still ends its Wine processes, and counts as failed.
zp_abort() {
    echo "FAIL $ZP_NAME: stopped before its end"
    zp_failures=$((zp_failures + 1))
    zp_finish
}
trap zp_abort EXIT
mkdir -p "$ZP_WORK"

# The scenario needs a Wine session that stays open throughout, or a new one
# would carry out wininit.ini and RunOnce halfway. The runners open one; if
# none is running, open it here, before anything is arranged.
if wineserver -p 2>/dev/null; then
    wine cmd /c exit 2>>"$ZP_WORK/wine.log"
fi
