#!/usr/bin/env bash
# The package as a user gets it. Builds the .deb from this build tree with
# CPack; checks its control fields and that it holds exactly the programs and
# what the desktop needs around them (so nothing under /usr/local and nothing
# of the build tree); validates the desktop entry, the AppStream metadata,
# the icons and the manual pages; runs the programs from a staging install
# (DESTDIR, the build's own prefix).
#   package_test.sh <build-dir> <version> <kx14ctl built: 1 or 0>
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
have_kx14ctl=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli identify man; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/setup.sh installs it"
done
if [ "$have_kx14ctl" != 1 ]; then
  echo "SKIPPED: the kx14ctl checks (this build has no kx14ctl target)"
fi

cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$work/deb/kx14-manager_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work/deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[[ "$(field Depends)" == *libqt6widgets6* && "$(field Depends)" == *qt6-qpa-plugins* ]] ||
  fail "Depends lacks the Qt libraries or their display plugins: $(field Depends)"
[ "$(field Recommends)" = fonts-ipafont-gothic ] || fail "Recommends: $(field Recommends)"

metainfo=$(cd "$build/packaging" && echo *.metainfo.xml)
expected=(
  /usr/bin/kx14-devsim
  /usr/bin/kx14-manager
  /usr/bin/kx14-trackside
  /usr/share/applications/kx14-manager.desktop
  /usr/share/applications/kx14-trackside.desktop
  /usr/share/doc/kx14-manager/changelog.gz
  /usr/share/doc/kx14-manager/copyright
  /usr/share/icons/hicolor/48x48/apps/kx14-manager.png
  /usr/share/icons/hicolor/128x128/apps/kx14-manager.png
  /usr/share/icons/hicolor/256x256/apps/kx14-manager.png
  /usr/share/man/man1/kx14-devsim.1.gz
  /usr/share/man/man1/kx14-manager.1.gz
  /usr/share/man/man1/kx14-trackside.1.gz
  "/usr/share/metainfo/$metainfo"
)
if [ "$have_kx14ctl" = 1 ]; then
  expected+=(/usr/bin/kx14ctl /usr/share/bash-completion/completions/kx14ctl
             /usr/share/man/man1/kx14ctl.1.gz)
fi
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$work/actual"
diff -u "$work/expected" "$work/actual" || fail "the package's files are not the expected ones"

root=$work/root
dpkg-deb --extract "$deb" "$root"
if grep -rlF "$build" "$root"; then fail "the files above name the build tree"; fi
for entry in kx14-manager kx14-trackside; do
  desktop-file-validate "$root/usr/share/applications/$entry.desktop" ||
    fail "desktop-file-validate $entry"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/$metainfo" || fail "appstreamcli validate"
for size in 48 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x$size/apps/kx14-manager.png
  kind=$(identify -format '%m %wx%h' "$icon" 2>&1) || fail "the $size px icon: $kind"
  [ "$kind" = "PNG ${size}x$size" ] || fail "the $size px icon is $kind"
done
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $(basename "$page"): $warnings"
done

# The staging install, at the prefix that `cmake --install` uses by default.
DESTDIR=$work/stage cmake --install "$build" >/dev/null
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
bin=$work/stage$prefix/bin
usage=$("$bin/kx14-devsim" --help) || fail "kx14-devsim --help failed"
[[ "$usage" == "Usage: kx14-devsim"* ]] || fail "kx14-devsim --help printed: ${usage:0:200}"
[ "$("$bin/kx14-devsim" --version)" = "kx14-devsim $version" ] ||
  fail "kx14-devsim --version printed: $("$bin/kx14-devsim" --version)"
if [ "$have_kx14ctl" = 1 ]; then
  ctl_version=$("$bin/kx14ctl" --version) || fail "kx14ctl --version failed"
  [[ "$ctl_version" == *"$version"* ]] || fail "kx14ctl --version printed: $ctl_version"
fi
echo "package: $(basename "$deb"), $(wc -l <"$work/actual") files, checks passed"
