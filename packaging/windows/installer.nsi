; The Windows installer, built by Debian's makensis from the folder that
; becomes the zip (make-windows.sh passes VERSION, STAGE, ICON and OUTFILE).
; For every user, in Program Files: the game then keeps its settings and its
; games in %APPDATA%\kerna-reversi\ since its own folder cannot be written.
; A Start menu entry, an entry in Apps & features with its uninstaller, and
; .ggf records open in the game's review on a double click.
; A 64-bit installer for the 64-bit game (and so it runs under Debian's wine64).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define NAME "ケルナのリバーシ"
!define KEY "kerna-reversi"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"
!define GGF_CLASS "KernaReversi.ggf"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${KEY}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1041 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1041 "FileDescription" "${NAME} installer"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "kerna-reversi developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kerna-reversi.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext all  ; the Start menu of every user
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\kerna-reversi.exe"

  WriteRegStr HKLM "Software\Classes\.ggf" "" "${GGF_CLASS}"
  WriteRegStr HKLM "Software\Classes\${GGF_CLASS}" "" "GGF 棋譜"
  WriteRegStr HKLM "Software\Classes\${GGF_CLASS}\DefaultIcon" "" "$INSTDIR\kerna-reversi.exe,0"
  WriteRegStr HKLM "Software\Classes\${GGF_CLASS}\shell\open\command" "" \
    '"$INSTDIR\kerna-reversi.exe" --review "%1"'
  ; Explorer picks up the new file type now, not at the next logon.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "kerna-reversi developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kerna-reversi.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${NAME}.lnk"
  ; The files the installer put there, nothing the player added beside them.
  Delete "$INSTDIR\kerna-reversi.exe"
  Delete "$INSTDIR\kerna-engine.exe"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\bmp"
  RMDir /r "$INSTDIR\sound"
  RMDir /r "$INSTDIR\voice"
  RMDir /r "$INSTDIR\dat"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; .ggf is given back only while it is still the game's.
  ReadRegStr $0 HKLM "Software\Classes\.ggf" ""
  StrCmp $0 "${GGF_CLASS}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.ggf"
  DeleteRegKey HKLM "Software\Classes\${GGF_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
