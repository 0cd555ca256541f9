#!/usr/bin/env bash
# The AppStream metainfo validates without errors, warnings or remarks, and its newest release
# is the project's version.
# Usage: check_metainfo.sh METAINFO VERSION
source "$(dirname "$0")/common.sh"
need appstreamcli
metainfo=$1 version=$2

report=$(cd "$(dirname "$metainfo")" && appstreamcli validate --no-net "$(basename "$metainfo")" 2>&1) \
    || fail "appstreamcli validate failed: $report"
if grep -E '^[EWI]:' <<<"$report"; then
    fail "appstreamcli validate has remarks"
fi
newest=$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
expect_same "newest release" "$version" "$newest"
finish
