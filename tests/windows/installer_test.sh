# The installer, silently in and out of a private Wine prefix: its files, the
# Start-menu shortcut, the Uninstall entry with name, version and publisher,
# the installed command line running, and after the silent uninstall none of
# them left. Sourced by scripts/windows-test.sh, which provides `check`,
# `$win`, `$run_dir`, the base prefix `$WINEPREFIX` (with no server running)
# and the display.
#   installer_test <installer.exe> <version>
installer_test() {
  local installer=$1 version=$2
  local prefix=$run_dir/installer-prefix
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kx14-manager'
  local folder="$prefix/drive_c/Program Files/KX-14 Manager"
  local menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  local shortcut="$menu/KX-14 Manager.lnk" trackside="$menu/KX-14 Manager Trackside.lnk"
  cp -a "$WINEPREFIX" "$prefix"
  local -x WINEPREFIX=$prefix
  reg_value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v {sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print}'; }
  check "installer /S exits 0" timeout 120 wine "$installer" /S
  check "installer: the programs and README in Program Files" \
    test -f "$folder/kx14-manager.exe" -a -f "$folder/kx14-trackside.exe" -a -f "$folder/kx14ctl.exe" \
      -a -f "$folder/README.txt" -a -f "$folder/uninstall.exe"
  check "installer: the Start-menu shortcuts name the programs" \
    sh -c "grep -qa 'kx14-manager.exe' '$shortcut' && grep -qa 'kx14-trackside.exe' '$trackside'"
  check "installer: Uninstall entry name" test "$(reg_value DisplayName)" = "KX-14 Manager"
  check "installer: Uninstall entry version" test "$(reg_value DisplayVersion)" = "$version"
  check "installer: Uninstall entry publisher" test -n "$(reg_value Publisher)"
  check "installer: the installed kx14ctl.exe runs" \
    sh -c "timeout 60 wine 'C:\\Program Files\\KX-14 Manager\\kx14ctl.exe' --version | grep -q '$version'"
  # The silent uninstaller copies itself to %TEMP% and ends at once; the
  # copy does the work: the server ends when it has.
  check "uninstaller /S exits 0" timeout 60 wine 'C:\Program Files\KX-14 Manager\uninstall.exe' /S
  timeout 60 wineserver -w
  check "uninstaller: the folder is gone" test ! -e "$folder"
  check "uninstaller: the shortcuts are gone" test ! -e "$shortcut" -a ! -e "$trackside"
  check "uninstaller: the Uninstall entry is gone" sh -c "! wine reg query '$key' >/dev/null 2>&1"
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
}
