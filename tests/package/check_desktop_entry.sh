#!/usr/bin/env bash
# The desktop entry validates without a remark, is named after the metainfo's id, launches it,
# and names the window class the program sets, so that docks match the window to the entry.
# Usage: check_desktop_entry.sh ENTRY METAINFO GTK_MAIN
source "$(dirname "$0")/common.sh"
need desktop-file-validate
entry=$1 metainfo=$2 gtk_main=$3

remarks=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed"
[ -z "$remarks" ] || fail "desktop-file-validate: $remarks"

id=$(basename "$entry" .desktop)
key() { sed -n "s/^$1=//p" "$entry"; }
element() { sed -n "s|.*<$1[^>]*>\(.*\)</$1>.*|\1|p" "$metainfo"; }
expect_same "metainfo id" "$id" "$(element id)"
expect_same "metainfo launchable" "$id.desktop" "$(element launchable)"
expect_same "Icon" "$id" "$(key Icon)"
window_class=$(sed -n 's/.*gdk_set_program_class("\([^"]*\)").*/\1/p' "$gtk_main")
expect_same "StartupWMClass" "$window_class" "$(key StartupWMClass)"
finish
