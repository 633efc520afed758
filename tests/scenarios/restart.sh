#!/bin/sh
# Yes to both boxes: the restart is requested, and Wine's restart carries out
# wininit.ini, which deletes the uninstaller's own file.
. "$(dirname "$0")/lib.sh"

zp_prepare

zp_expect_transcript "both boxes answered Yes, exit code 0" "$(zp_drive "$ZP_DEL_LINE" yes yes)" \
    "$ZP_CONFIRM_BOX" "$ZP_RESTART_BOX" "exit: 0"

restart_done() {
    [ ! -e "$ZP_INSTALL/zorpurge.exe" ] && [ -e "$ZP_WINDIR/wininit.bak" ]
}
zp_wait_for 90 restart_done
zp_expect_files "restart carried out wininit.ini" "
Program Files/ZORTAV/zorpurge.exe absent
FENN/OLDTOOL.EXE absent
windows/wininit.ini absent
windows/wininit.bak present"
zp_compare "the carried-out list held the own entry" "$ZP_SELF_DELETE_LINE" \
    "$(zp_ini_section "$ZP_WINDIR/wininit.bak" Rename | grep -xF "$ZP_SELF_DELETE_LINE")"

zp_finish
