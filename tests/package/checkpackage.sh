#!/usr/bin/env bash
# Builds the Debian package with cpack in a scratch folder and checks it:
# its control fields, its files, lintian (no errors), the desktop entry and
# AppStream metadata, the manual page, and its programs run from the
# unpacked tree, the program starting the host of that tree.
#   checkpackage.sh BUILD_DIR VERSION SCRATCH_DIR
set -uo pipefail
build=$1 version=$2 scratch=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$scratch" && mkdir -p "$scratch" || exit 1
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack did not make the package"
  exit 1
fi
deb=$scratch/folivex_${version}_amd64.deb
if [[ ! -f $deb ]]; then
  echo "FAIL: no $deb; cpack made: $(cd "$scratch" && ls ./*.deb 2>/dev/null)"
  exit 1
fi

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == folivex ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for package in libreoffice-core libreoffice-writer libreoffice-impress libreoffice-calc \
               fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea \
               libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo libuno-sal3 libuno-cppu3; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
[[ -n $(field Description) ]] || fail "no Description"

# Files.
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/bin/folivex usr/libexec/folivex/folivex-office \
            usr/share/folivex/quillmark.html usr/share/applications/folivex.desktop \
            usr/share/metainfo/org.folivex.Folivex.metainfo.xml usr/share/man/man1/folivex.1.gz \
            usr/share/doc/folivex/copyright usr/share/doc/folivex/changelog.gz \
            usr/share/icons/hicolor/scalable/apps/folivex.svg \
            usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/folivex.png; do
  grep -qx "./$path" <<<"$listing" || fail "the package lacks /$path"
done
grep -q 'usr/bin/folivex-jpeg2pdf' <<<"$listing" && fail "the package holds the tool folivex-jpeg2pdf"
owners=$(dpkg-deb -c "$deb" | awk '{print $2}' | sort -u)
[[ $owners == root/root ]] || fail "files not owned by root: $owners"

# lintian: errors fail the test; the rest is shown.
lintian --info --show-overrides "$deb" >"$scratch/lintian.log" 2>&1
grep -v '^N:\|running with root privileges' "$scratch/lintian.log"
if grep -q '^E:' "$scratch/lintian.log"; then
  fail "lintian reports errors: $(grep '^E:' "$scratch/lintian.log" | tr '\n' ' ')"
fi

# The unpacked tree.
tree=$scratch/tree
dpkg-deb -x "$deb" "$tree" || fail "dpkg-deb -x failed"
desktop-file-validate "$tree/usr/share/applications/folivex.desktop" || fail "desktop-file-validate"
appstreamcli validate-tree --no-net "$tree" >"$scratch/appstream.log" 2>&1 || {
  cat "$scratch/appstream.log"; fail "appstreamcli validate-tree"; }
for png in "$tree"/usr/share/icons/hicolor/*x*/apps/folivex.png; do
  side=${png%/apps/*}; side=${side##*/}; side=${side%x*}
  [[ $(file -b "$png") == "PNG image data, $side x $side"* ]] || fail "$png: $(file -b "$png")"
done

program=$tree/usr/bin/folivex
[[ $("$program" --version | head -n 1) == "folivex $version" ]] || fail "--version says '$("$program" --version)'"
# The installed host confines itself as the built one does.
[[ $("$program" --version | sed -n 2p) == "Document protections: "* ]] || fail "--version names no protections"

# The manual page renders without warnings and describes every option of
# the --help text it is made from.
man_errors=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$tree/usr/share/man/man1/folivex.1.gz" 2>&1 >"$scratch/man.txt")
[[ -z $man_errors ]] || fail "man reports: $man_errors"
grep -q "folivex *- convert Word, PowerPoint and Excel documents" "$scratch/man.txt" || fail "man page NAME: $(head -5 "$scratch/man.txt")"
while read -r option; do
  grep -q -- "^ *$option" "$scratch/man.txt" || fail "the manual page does not describe $option"
done < <("$program" --help | grep -o '^  -[-a-z]*')
grep -Eq "The +exit +code +is +0 +when" "$scratch/man.txt" || fail "the manual page lacks the --help text's last paragraph"

# A conversion by the unpacked program starts the unpacked host.
out=$scratch/out
mkdir -p "$out"
env -u FOLIVEX_OFFICE strace -f -qq -e trace=execve -o "$scratch/execve.log" \
  "$program" --convert "$tree/usr/share/folivex/samples/welcome-letter.docx" --output "$out" >"$scratch/convert.log" 2>&1 ||
  { cat "$scratch/convert.log"; fail "the unpacked folivex did not convert the sample"; }
[[ -s $out/welcome-letter.pdf ]] || fail "no welcome-letter.pdf"
grep -q "execve(\"$tree/usr/libexec/folivex/folivex-office\"" "$scratch/execve.log" ||
  fail "the unpacked folivex did not start the unpacked host: $(grep -o 'execve("[^"]*folivex-office"' "$scratch/execve.log")"

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "folivex_${version}_amd64.deb: every check passed"
