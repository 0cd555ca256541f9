#!/usr/bin/env bash
# Makes the Debian package with cpack into a temporary folder, unpacks it there and checks its
# control fields, its file list, that nothing lies outside /usr, that its metainfo finds its
# desktop entry and icons, and that the unpacked velmora-snap finds the unpacked world from /.
# Usage: check_deb.sh BUILD_DIR VERSION FILES_LIST SOURCE_DATA
source "$(dirname "$0")/common.sh"
need cpack dpkg-deb dpkg-shlibdeps file appstreamcli
build=$1 version=$2 files_list=$3 source_data=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack failed"; finish; }
deb=$work/velmora_${version}_amd64.deb
[ -f "$deb" ] || { ls "$work"; fail "no $(basename "$deb")"; finish; }

field() { dpkg-deb -f "$deb" "$1"; }
for expected in "Package velmora" "Version $version" "Section games" "Architecture amd64"; do
    expect_same "${expected%% *}" "${expected#* }" "$(field "${expected%% *}")"
done
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -ge 3 ] || fail "Description has no long part"
depends=$(field Depends)
depended=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for library in libc6 libstdc++6 libgtk-3-0 libcairo2 libglib2.0-0 libopenal1 libalut0; do
    grep -qxF "$library" <<<"$depended" || fail "Depends lacks $library: $depends"
done

outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -vE '^\./(usr/.*)?$' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"
not_root=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"' || true)
[ -z "$not_root" ] || fail "not owned by root: $not_root"

root=$work/root
dpkg-deb -x "$deb" "$root"
listed=$(cd "$root" && find . ! -type d ! -path './usr/share/velmora/data/*' | sed 's|^\./||' | sort)
diff <(sort "$files_list") <(echo "$listed") || fail "file list differs (< expected, > packed)"
diff <(cd "$source_data" && find . -type f | sort) \
     <(cd "$root/usr/share/velmora/data" && find . -type f | sort) || fail "world files differ"
tree_report=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "validate-tree: $tree_report"
if grep -E '^ *[EWI]:' <<<"$tree_report"; then fail "appstreamcli validate-tree has remarks"; fi
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root"/usr/share/applications/*.desktop)
[ -x "$root/usr/bin/$exec_name" ] || fail "desktop entry's Exec '$exec_name' is not in usr/bin"

stats=$(cd / && "$root/usr/bin/velmora-snap" --stats 2>&1) || fail "velmora-snap --stats from /: $stats"
grep -q '^surfaces' <<<"$stats" || fail "velmora-snap --stats printed no surfaces: $stats"
finish
