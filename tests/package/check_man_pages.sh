#!/usr/bin/env bash
# Each manual page renders with man and with every groff warning on, without a warning, and
# documents every option its program's --help lists.
# Usage: check_man_pages.sh PAGE PROGRAM [PAGE PROGRAM]...
source "$(dirname "$0")/common.sh"
need man groff
export LC_ALL=C.UTF-8 MANWIDTH=80

while [ $# -ge 2 ]; do
    page=$1 program=$2
    shift 2
    name=$(basename "$page" .6)
    warnings=$(groff -ww -z -mandoc -Tutf8 "$page" 2>&1)
    [ -z "$warnings" ] || fail "$name: groff -ww: $warnings"
    warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "$name: man -l failed"
    [ -z "$warnings" ] || fail "$name: man -l: $warnings"
    rendered=$(man -l "$page")
    for section in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS"; do
        grep -qx "$section" <<<"$rendered" || fail "$name: no $section section"
    done
    help=$("$program" --help) || fail "$name: $program --help failed"
    for option in $(grep -oE '^ +(-[a-zA-Z], )?--[a-z-]+' <<<"$help" | grep -oE -- '--[a-z-]+$' |
                    grep -v -- '--help-'); do
        grep -qF -- "$option" <<<"$rendered" || fail "$name: $option of --help is not documented"
    done
done
finish
