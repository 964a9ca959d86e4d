; The Windows installer: a per-user install, no administrator rights, with
; a Start menu shortcut, the chart file type offered in Explorer's "Open
; with", and an uninstaller in Add or Remove Programs that removes exactly
; what was installed. scripts/build-windows.sh builds it with makensis,
; defining VERSION, OUTFILE, ICONS (the .ico files' folder), SIZE_KB and
; FILES: the folder of the generated lists install.nsh (the portable
; folder's files) and uninstall.nsh (the same files to delete, then their
; folders).
; Silent: setup.exe /S [/D=folder], uninstall.exe /S.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!define NAME "OJN Tevrik Editor"
!define PROGRAM "ojn-tevrik-editor.exe"
!define PROG_ID "OJNTevrikEditor.Chart"
!define CLASSES "Software\Classes"
!define PROGRAMS_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${PROGRAMS_KEY}\${NAME}"
; SHChangeNotify's "file associations changed", for the whole system.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
; A new version goes where the last one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${NAME} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "OJN Tevrik Editor developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 OJN Tevrik Editor developers"

!include "MUI2.nsh"
!define MUI_ICON "${ICONS}/ojn-tevrik-editor.ico"
!define MUI_UNICON "${ICONS}/ojn-tevrik-editor.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs ${NAME} ${VERSION}, an editor for the header of O2Jam note charts (.ojn files), for you alone: no administrator rights are needed.$\r$\n$\r$\nThe licences of the parts that come with the program are installed with it, in its licenses folder.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${NAME}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
    SetShellVarContext current
    !include "${FILES}/install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\${PROGRAM}"

    ; The chart file type, offered beside whatever opens charts now: the
    ; user stays free to choose the default.
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "O2Jam note chart"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\${PROGRAM}",-2'
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\${PROGRAM}" "%1"'
    WriteRegStr HKCU "${CLASSES}\.ojn\OpenWithProgids" "${PROG_ID}" ""
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${PROGRAM}",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "OJN Tevrik Editor developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${NAME}.lnk"
    ; Only the files installed, then their folders if nothing else is left
    ; in them: a chart or any other file of the user's stays.
    !include "${FILES}/uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
    DeleteRegValue HKCU "${CLASSES}\.ojn\OpenWithProgids" "${PROG_ID}"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.ojn\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "${CLASSES}\.ojn"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; Made for this entry when it was the first one.
    DeleteRegKey /ifempty HKCU "${PROGRAMS_KEY}"
SectionEnd
