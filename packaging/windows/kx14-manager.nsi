; The Windows installer of kx14-manager.exe, kx14-trackside.exe and kx14ctl.exe, built by the
; windows_installer target (make windows) with NSIS 3:
;   makensis -DVERSION=1.0.0 -DPRODUCT="KX-14 Manager" -DPUBLISHER=... -DURL=...
;            -DSOURCE_DIR=<folder with the programs and README.txt>
;            -DICON=<kx14-manager.ico> -DOUTFILE=<installer.exe> kx14-manager.nsi
; It installs into Program Files for every user of the machine, adds a
; Start-menu shortcut for each window and an entry in "Apps" / "Programs and Features", and
; writes an uninstaller. /S installs and uninstalls without a question;
; /D=<folder> (last on the command line) chooses another folder.

Unicode true
; 64-bit programs, and the x86 stub does not start under a 64-bit-only Wine.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kx14-manager"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define TRACKSIDE_SHORTCUT "$SMPROGRAMS\${PRODUCT} Trackside.lnk"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A second run installs over the first, wherever that was.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The pages speak the system's language where it is one of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${SOURCE_DIR}\kx14-manager.exe"
  File "${SOURCE_DIR}\kx14-trackside.exe"
  File "${SOURCE_DIR}\kx14ctl.exe"
  File "${SOURCE_DIR}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\kx14-manager.exe" "" "$INSTDIR\kx14-manager.exe" 0
  CreateShortcut "${TRACKSIDE_SHORTCUT}" "$INSTDIR\kx14-trackside.exe" "" \
                 "$INSTDIR\kx14-trackside.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kx14-manager.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly what the installer put there; a folder that still holds
; files of the user's own is left in place.
Section "Uninstall"
  Delete "${SHORTCUT}"
  Delete "${TRACKSIDE_SHORTCUT}"
  Delete "$INSTDIR\kx14-manager.exe"
  Delete "$INSTDIR\kx14-trackside.exe"
  Delete "$INSTDIR\kx14ctl.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
