; The Windows installer: per user, no administrator rights, into
; %LOCALAPPDATA%\Programs\Quandrel, with a Start menu entry and an entry in
; Apps and Features. Modern UI pages (welcome, licence, folder, progress, and
; a finish page that can start the game) in the system's language when it is
; one of the game's, else English; the uninstaller speaks the language the
; installer spoke. /S installs and uninstalls silently. The uninstaller
; removes the program and keeps the player's files in %APPDATA%\Quandrel.
; makensis -DVERSION=1.1.0 -DSTAGE=<folder of cmake --install> -DOUTFILE=<setup.exe> installer.nsi

Unicode true
; A 64-bit installer, so that it sees the same folders and registry as the game.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quandrel"
; The installer's language id, kept for the uninstaller under the name Modern UI uses.
!define LANGUAGE_VALUE "Installer Language"

!include "MUI2.nsh"

Name "Quandrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quandrel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
!define MUI_ICON "quandrel.ico"
!define MUI_UNICON "quandrel.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quandrel.exe"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quandrel"
VIAddVersionKey "FileDescription" "Quandrel installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT licence"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The game's languages, through NSIS's own language files. The installer
; starts in the one matching the system's language (the first, English, when
; none does).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "Korean"

; The uninstaller in the installer's language; the system's when none was kept.
Function un.onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "${LANGUAGE_VALUE}"
  StrCmp $0 "" +2
    StrCpy $LANGUAGE $0
FunctionEnd

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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "${LANGUAGE_VALUE}" $LANGUAGE
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
