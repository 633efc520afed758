#!/bin/sh
# Only the command tail /del, in any case, opens the confirmation box; any other
# start ends at once with exit code 0. Declining the box changes nothing either.
. "$(dirname "$0")/lib.sh"

zp_prepare

exe="\"$ZP_EXE_WIN\""
tab=$(printf '\t')
# No tail, a trailing blank, more after /del, or another word.
refused="$exe
$exe /del 
$exe /del x
$exe -del
$exe del
$exe /delete"
# Blanks and tabs before the tail are skipped, and a quoted program name ends at
# its closing quote; the last line names the program by its short path, unquoted.
accepted="$exe /del
$exe /DEL
$exe /Del
$exe$tab/del
$exe   /del
$exe/del
C:\\PROGRA~1\\ZORTAV\\zorpurge.exe /del"

# All starts go through one drive.exe, to keep the number of Wine processes low.
set --
expected=
while IFS= read -r line; do
    set -- "$@" --then "$line"
    expected="$expected$(zp_run_line "$line")$ZP_NL"
    expected="${expected}exit: 0$ZP_NL"
done <<EOF_LINES
$refused
EOF_LINES
while IFS= read -r line; do
    set -- "$@" --then "$line" no
    expected="$expected$(zp_run_line "$line")$ZP_NL$ZP_CONFIRM_BOX${ZP_NL}exit: 0$ZP_NL"
done <<EOF_LINES
$accepted
EOF_LINES
shift  # the first --then

zp_compare "refused lines end without a box, accepted ones ask, all exit 0" \
    "${expected%"$ZP_NL"}" "$(zp_drive "$@")"
zp_expect_installed "nothing touched"

zp_finish
