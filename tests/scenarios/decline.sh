#!/bin/sh
# No at the confirmation box: no second box, the main program keeps running and
# nothing on the machine changes.
. "$(dirname "$0")/lib.sh"

zp_prepare
wininit_before=$(zp_file_sum "$ZP_WININIT")
zp_start_standin 2500

zp_expect_transcript "one box, exit code 0" "$(zp_drive "$ZP_DEL_LINE" no)" \
    "$ZP_CONFIRM_BOX" "exit: 0"
zp_expect_installed "nothing removed" "window ZORTAVCLASS present"
zp_compare "main program not asked to close" "ready" "$(zp_standin_log)"
zp_compare "wininit.ini unchanged" "$wininit_before" "$(zp_file_sum "$ZP_WININIT")"

zp_finish
