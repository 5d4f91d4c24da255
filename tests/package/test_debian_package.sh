#!/usr/bin/env bash
# The Debian package as a user's machine meets it: built with CPack from the
# built tree, unpacked into a throw-away root, its desktop files validated, and
# the installed program started in its windowless listing mode. An installed
# program must write nothing beside itself: the unpacked root belongs to
# whoever runs this test, so its bin/ is writable, as /usr/bin is for root.
#
# Usage: test_debian_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

for tool in cpack dpkg dpkg-deb dpkg-shlibdeps file readelf desktop-file-validate \
    appstreamcli; do
    command -v "$tool" >/dev/null || skip "$tool is missing (bash scripts/varnel.sh installs it)"
done
[ -x "$build/varnel" ] || skip "the program is not built yet"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 1. The package, from the tree as built (cpack installs it into its own stage).
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; fail "cpack"; }
arch=$(dpkg --print-architecture)
debs=("$work"/out/varnel_*_"$arch".deb)
[ -f "${debs[0]}" ] || { cat "$work/cpack.log"; fail "no varnel_<version>_$arch.deb"; }
deb=${debs[0]}

# 2. Its files, and its run-time dependencies as dpkg-shlibdeps computed them.
expected="./usr/bin/varnel
./usr/bin/varnel-seed
./usr/lib/varnel/
./usr/share/applications/org.varnel.Varnel.desktop
./usr/share/doc/varnel/copyright
./usr/share/icons/hicolor/256x256/apps/org.varnel.Varnel.png
./usr/share/icons/hicolor/48x48/apps/org.varnel.Varnel.png
./usr/share/icons/hicolor/scalable/apps/org.varnel.Varnel.svg
./usr/share/man/man1/varnel.1.gz
./usr/share/metainfo/org.varnel.Varnel.metainfo.xml
./usr/share/varnel/errcodes.ini"
# Files, and the one folder that is shipped empty.
contents=$(dpkg-deb --fsys-tarfile "$deb" | tar -t)
grep -qx './usr/lib/varnel/' <<<"$contents" \
    || fail "the helper folder usr/lib/varnel is not in the package"
listed=$( (grep -v '/$' <<<"$contents" || true; echo ./usr/lib/varnel/) | sort)
[ "$listed" = "$(sort <<<"$expected")" ] \
    || fail "file list differs:$(diff <(sort <<<"$expected") <(echo "$listed") || true)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libsqlite3-0 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# 3. Unpacked, the desktop files pass the desktop's own validators (hints allowed).
root=$work/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.varnel.Varnel.desktop" \
    || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.varnel.Varnel.metainfo.xml" \
    || fail "appstreamcli validate"
if command -v man >/dev/null; then
    warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/varnel.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page: $warnings"
fi

# 4. No path of the build or source tree is inside, and no binary looks for
#    libraries anywhere but in the system's folders.
#    A sanitized build is never shipped, and gcc writes the source files' full
#    names into the sanitizers' reports data (no -f*-prefix-map reaches them):
#    the path check does not apply to it.
if grep -qx 'VARNEL_SANITIZERS:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "not checked: build tree paths (sanitized build, never shipped)"
elif grep -rlF -e "$build" -e "$source/" "$root"; then
    fail "build tree paths in the files above"
fi
for program in "$root"/usr/bin/*; do
    ! readelf -d "$program" | grep -E 'RPATH|RUNPATH' || fail "$program has a library path"
done

# 5. The installed program lists a domain from a fresh embedded directory,
#    started from its own folder, and writes only to the per-user data folder.
before=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
mkdir -p "$work/home"
status=0
(cd "$root/usr/bin" && env -i PATH=/usr/bin:/bin HOME="$work/home" \
    XDG_DATA_HOME="$work/data" VARNEL_EMBEDDED_DB="$work/directory.sqlite" \
    ./varnel /DOMAIN=HEADOFFICE /TYPE=0 /CRITERIA=*) || status=$?
[ "$status" -eq 0 ] || fail "the installed program ended with exit code $status"
listing=$work/data/varnel/HEADOFFICE%.tmp
[ -s "$listing" ] || fail "no work file in the per-user data folder"
grep -q $', HEADOFFICE\r$' "$listing" || fail "the work file's lines: $(head -2 "$listing")"
[ -s "$work/directory.sqlite" ] || fail "the embedded directory was not created"
after=$(cd "$root" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] \
    || fail "written inside the installation:$(diff <(echo "$before") <(echo "$after") || true)"

echo "varnel package $(basename "$deb"): $(wc -l <<<"$expected") files, Depends: $depends"
