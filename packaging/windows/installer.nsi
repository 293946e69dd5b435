; The Windows installer: per user, no administrator rights, into
; %LOCALAPPDATA%\Programs\Quandrel, with a Start menu entry and an entry in
; Apps and Features. /S installs and uninstalls silently. The uninstaller
; removes the program and keeps the player's files in %APPDATA%\Quandrel.
; makensis -DVERSION=1.1.0 -DSTAGE=<folder of cmake --install> -DOUTFILE=<setup.exe> installer.nsi

Unicode true
; A 64-bit installer, so that it sees the same folders and registry as the game.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandrel"

Name "Quandrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quandrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "quandrel.ico"
UninstallIcon "quandrel.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quandrel"
VIAddVersionKey "FileDescription" "Quandrel installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quandrel"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Quandrel.lnk" "$INSTDIR\quandrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quandrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quandrel developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quandrel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a folder the player chose keeps
; anything else, and %APPDATA%\Quandrel (settings, records, options) stays.
Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\quandrel.exe"
  Delete "$INSTDIR\quandrel.installed"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\font-LICENSE.txt"
  RMDir /r "$INSTDIR\Images"
  RMDir /r "$INSTDIR\Sounds"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Quandrel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
