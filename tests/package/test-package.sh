#!/usr/bin/env bash
# The Debian package made from the build folder BUILD: it holds every file it should, and its dovra-cli,
# unpacked, gives on the packaged checklist file and demo data what the built one gives. As root it is also
# installed, run from /usr/bin and removed again (unless a dovra package was installed before).
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
installed=""
cleanup() {
    if [ -n "$installed" ]; then dpkg --purge dovra >/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "test-package: $*" >&2; exit 1; }

# Settings and the user's folder of every run below are the test's own.
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_DATA_HOME
grep -q 'CPACK_PACKAGING_INSTALL_PREFIX "/usr"' "$build/CPackConfig.cmake" ||
    fail "the package must install under /usr: configure with -DCMAKE_INSTALL_PREFIX=/usr"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
IFS=. read -r major minor _ <<<"$version"
# A folder of its own, so that a `make package` in the build folder is left alone.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed:"$'\n'"$(cat "$work/cpack.log")"
deb="$work/cpack/dovra_${version}_amd64.deb"
root="$work/root"
dpkg-deb -x "$deb" "$root"
# The spreadsheet library is linked, so the package names it.
dpkg-deb -f "$deb" Depends | grep -q libxlsxwriter || fail "the package does not depend on libxlsxwriter"

for file in usr/bin/dovra usr/bin/dovra-cli usr/lib/dovra/dovra-runupd usr/share/dovra/dbTALVOCL.mdb \
    usr/share/dovra/db00.mdb usr/share/doc/dovra/examples/dbTALVOdata_1.mdb usr/share/doc/dovra/copyright \
    usr/share/applications/dovra.desktop usr/share/metainfo/nl.dovra.dovra.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/dovra.svg usr/share/icons/hicolor/48x48/apps/dovra.png \
    usr/share/icons/hicolor/256x256/apps/dovra.png usr/share/man/man1/dovra.1.gz \
    usr/share/man/man1/dovra-cli.1.gz; do
    [ -f "$root/$file" ] || fail "$file is not in the package"
done

# The project's test key, whose private half is public, is trusted by no package: anywhere in it.
testkey=$(grep -v '^-----' "$(dirname "$0")/../../data/update-test-key.pub")
if grep -rqF -- "$testkey" "$root"; then fail "the package holds the test key"; fi

# The packaged program on the packaged files against the built program on the built ones.
mkdir "$work/packaged" "$work/built"
cp "$root/usr/share/doc/dovra/examples/dbTALVOdata_1.mdb" "$work/packaged/"
cp "$build/bin/dbTALVOdata_1.mdb" "$work/built/"
chmod u+w "$work/packaged/dbTALVOdata_1.mdb" "$work/built/dbTALVOdata_1.mdb"
outputs=""
for command in info "doelvermogen --id 1"; do
    # shellcheck disable=SC2086 # the command's words
    packaged=$("$root/usr/bin/dovra-cli" $command --checklist "$root/usr/share/dovra/dbTALVOCL.mdb" \
        --data "$work/packaged/dbTALVOdata_1.mdb" | grep -v '^checklist:\|^databestand:')
    # shellcheck disable=SC2086
    built=$("$build/bin/dovra-cli" $command --checklist "$build/bin/dbTALVOCL.mdb" \
        --data "$work/built/dbTALVOdata_1.mdb" | grep -v '^checklist:\|^databestand:')
    [ "$packaged" = "$built" ] || fail "$command: the packaged program prints"$'\n'"$packaged"
    outputs+="$packaged"$'\n'
done
grep -qx "programmaversie: $major$minor" <<<"$outputs" || fail "info printed no program version"
grep -q "^Doelvermogen" <<<"$outputs" || fail "doelvermogen --id 1 printed no target capital"
# A PDF report needs the platform plugins and fonts the package depends on, not a word processor.
"$root/usr/bin/dovra-cli" rapport --id 1 --out "$work/packaged/r.pdf" --checklist \
    "$root/usr/share/dovra/dbTALVOCL.mdb" --data "$work/packaged/dbTALVOdata_1.mdb" 2>"$work/pdf.log" ||
    fail "the packaged program wrote no PDF report:"$'\n'"$(cat "$work/pdf.log")"
[ "$(head -c 5 "$work/packaged/r.pdf")" = "%PDF-" ] || fail "r.pdf is no PDF"

if [ "$(id -u)" -ne 0 ]; then exit 0; fi
if dpkg-query -W dovra >/dev/null 2>&1; then
    echo "test-package: a dovra package is installed already; not installing this one"
    exit 0
fi
installed=yes
dpkg -i "$deb" >/dev/null
if grep -qsF -- "$testkey" /usr/share/dovra/dovra-update.pub; then fail "installed, the test key is trusted"; fi
info=$(/usr/bin/dovra-cli info --data "$work/packaged/dbTALVOdata_1.mdb")
grep -qx "checklist: /usr/share/dovra/dbTALVOCL.mdb" <<<"$info" || fail "installed, info prints"$'\n'"$info"
grep -qx "programmaversie: $major$minor" <<<"$info" || fail "installed, info prints"$'\n'"$info"
# A new user's first start of the installed program (not root, a home of its own): the user's folder, where
# the first data file goes, is made before the configuration window offers its dialogs, which show only
# folders that exist.
newhome="$work/nieuwe-gebruiker"
mkdir "$newhome"
chown nobody "$newhome"
chmod o+x "$work"
setpriv --reuid=nobody --regid=nogroup --clear-groups env -u XDG_RUNTIME_DIR HOME="$newhome" \
    QT_QPA_PLATFORM=offscreen timeout 10 /usr/bin/dovra >/dev/null 2>&1 || true
[ -d "$newhome/.local/share/DOVRA" ] || fail "a new user's first start made no ~/.local/share/DOVRA"
