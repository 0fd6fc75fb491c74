; The Windows installer of Velune, made by scripts/package-windows:
;   makensis -DVERSION=0.1.0 -DSTAGE=folder -DFILES=files.nsh -DICON=velune.ico
;            -DOUTFILE=velune-0.1.0-setup.exe velune.nsi
; STAGE holds the files to install; FILES, the macros that install them and remove them
; again one by one, so that the uninstaller takes away what this installed and nothing else.
; For every user of the machine, in Program Files; /S installs and uninstalls silently.

Unicode true
Target amd64-unicode  ; the game is 64-bit, and so is the installer
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh
!include ${FILES}

!define PUBLISHER "The Velune developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velune"

Name "Velune"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velune"
BrandingText "Velune ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 ProductName "Velune"
VIAddVersionKey /LANG=1033 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 FileDescription "Velune setup"
VIAddVersionKey /LANG=1033 FileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=1033 LegalCopyright "${PUBLISHER}, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\velune.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The language of Windows chooses; English elsewhere.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section
  ; An earlier Velune in the same place goes first, with its uninstaller run where it lies
  ; (_?=), so that no file it had and this one has not stays behind.
  IfFileExists "$INSTDIR\uninstall.exe" 0 +2
    ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'

  !insertmacro VeluneInstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Velune.lnk" "$INSTDIR\velune.exe" "" "$INSTDIR\velune.exe" 0

  ; Add or Remove Programs
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "Velune"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\velune.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Section "Uninstall"
  !insertmacro VeluneRemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"  ; kept if it holds files of the player's own
  Delete "$SMPROGRAMS\Velune.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
