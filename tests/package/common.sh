# Shared by the package checks: skipping when a tool is missing, and failing after every case.
set -euo pipefail
failures=0

# need TOOL...: skip the check (exit 77) when one of the tools is not installed.
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_same WHAT EXPECTED ACTUAL
expect_same() {
    [ "$2" = "$3" ] || fail "$1: expected '$2', got '$3'"
}

finish() {
    [ "$failures" -eq 0 ] && echo "ok" || exit 1
}
