; The Sorvani installer, made on any system with NSIS's makensis from the folder the build installs
; into (see CMakeLists.txt), which passes VERSION, STAGE (that folder), LISTS (the folder of the
; lists of its files) and OUTFILE. Run with /S it asks nothing; /D=folder chooses the folder.
; A 64-bit installer, as the programs are: it writes the 64-bit registry and runs where Windows
; (or Wine) has no 32-bit part.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvani"

Name "Sorvani ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Sorvani"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Section
    SetShellVarContext all
    !include "${LISTS}\files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"

!if /FileExists "${STAGE}\sorvani.exe"
    CreateShortCut "$SMPROGRAMS\Sorvani.lnk" "$INSTDIR\sorvani.exe"
    ; "Open with" for plain texts and RTF documents; the program takes the file to open.
    WriteRegStr HKLM "Software\Classes\Applications\sorvani.exe" "FriendlyAppName" "Sorvani"
    WriteRegStr HKLM "Software\Classes\Applications\sorvani.exe\shell\open\command" "" \
        '"$INSTDIR\sorvani.exe" "%1"'
    WriteRegStr HKLM "Software\Classes\Applications\sorvani.exe\SupportedTypes" ".txt" ""
    WriteRegStr HKLM "Software\Classes\Applications\sorvani.exe\SupportedTypes" ".rtf" ""
    WriteRegStr HKLM "Software\Classes\.txt\OpenWithList\sorvani.exe" "" ""
    WriteRegStr HKLM "Software\Classes\.rtf\OpenWithList\sorvani.exe" "" ""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorvani.exe"
!endif

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Sorvani"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Sorvani developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes only what the installer put there: a folder chosen by the user may hold other files.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Sorvani.lnk"
    DeleteRegKey HKLM "Software\Classes\Applications\sorvani.exe"
    DeleteRegKey HKLM "Software\Classes\.txt\OpenWithList\sorvani.exe"
    DeleteRegKey HKLM "Software\Classes\.rtf\OpenWithList\sorvani.exe"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !include "${LISTS}\remove_files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
