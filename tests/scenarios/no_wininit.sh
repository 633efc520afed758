#!/bin/sh
# A full uninstall on a machine without wininit.ini, the usual case after a
# restart: the file is made, holding the uninstaller's entry.
. "$(dirname "$0")/lib.sh"

zp_prepare without-wininit

zp_expect_transcript "both boxes asked, exit code 0" "$(zp_drive "$ZP_DEL_LINE" yes no)" \
    "$ZP_CONFIRM_BOX" "$ZP_RESTART_BOX" "exit: 0"
zp_expect_uninstalled
zp_compare "wininit.ini made with [Rename] and the own entry" \
    "$ZP_SELF_DELETE_LINE" "$(zp_ini_section "$ZP_WININIT" Rename)"

zp_finish
