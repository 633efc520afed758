#!/bin/sh
# A full uninstall with the main program running: it is closed and waited for,
# the product's files and entries go, the neighbours stay, the uninstaller's own
# file is left to the next start. A second run adds nothing; the restart then
# deletes the uninstaller and still carries out the other program's entries.
. "$(dirname "$0")/lib.sh"

zp_prepare
zp_start_standin 2500

zp_expect_transcript "both boxes asked, exit code 0" "$(zp_drive "$ZP_DEL_LINE" yes no)" \
    "$ZP_CONFIRM_BOX" "$ZP_RESTART_BOX" "exit: 0"
zp_expect_uninstalled
zp_compare "main program closed and waited for before its files went" \
    "ready
close-requested zorvis.dll=present
closing zorvis.dll=present" "$(zp_standin_log)"

rename_after="$ZP_OTHER_RENAME_LINES
$ZP_SELF_DELETE_LINE"
zp_compare "wininit.ini [Rename]: own entry after the earlier lines" \
    "$rename_after" "$(zp_ini_section "$ZP_WININIT" Rename)"
zp_compare "wininit.ini: other section intact" \
    "$ZP_OTHER_SECTION_LINES" "$(zp_ini_section "$ZP_WININIT" Fennwick)"

zp_expect_transcript "second run asks both questions again" "$(zp_drive "$ZP_DEL_LINE" yes no)" \
    "$ZP_CONFIRM_BOX" "$ZP_RESTART_BOX" "exit: 0"
zp_compare "second run adds no second equal line" \
    "$rename_after" "$(zp_ini_section "$ZP_WININIT" Rename)"

# Restart: a new session runs wininit.ini before its first program.
wineserver -k 2>/dev/null
wine cmd /c exit 2>>"$ZP_WORK/wine.log"
zp_wait_for 60 test ! -e "$ZP_INSTALL/zorpurge.exe"
zp_expect_files "restart deleted the uninstaller and did the other program's entries" "
Program Files/ZORTAV/zorpurge.exe absent
Program Files/ZORTAV/readme.txt present
FENN/OLDTOOL.EXE absent
FENN/NEWLIB.TMP absent
FENN/NEWLIB.DLL present
windows/wininit.ini absent
windows/wininit.bak present"

zp_finish
