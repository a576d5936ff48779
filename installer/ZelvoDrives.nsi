; The Zelvo Drives installer: puts the application folder into Program Files, adds two
; Start-menu shortcuts and registers an uninstaller with Programs and Features.
;
; Built by scripts/package.sh, which passes:
;   STAGE    folder holding the application folder's files (with fixed file times)
;   ICON     the icon changer's icon, used for the installer
;   UNICON   the remover's icon, used for the uninstaller
;   OUTFILE  the installer to write

Unicode true
SetCompressor /SOLID lzma
; File times come from the staged files, which package.sh sets to the commit time.
SetDateSave on

!define PRODUCT "Zelvo Drives"
!define VERSION "1.00"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZelvoDrives"
!define SMFOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
; The programs write below HKEY_LOCAL_MACHINE and into the System folder, and so does setup.
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion 1.0.0.0
VIFileVersion 1.0.0.0
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PRODUCT}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${UNICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Setup runs elevated, so the program started from here has the rights it needs.
!define MUI_FINISHPAGE_RUN "$INSTDIR\ZelvoDrv.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Without administrative rights (Windows XP, or elevation refused) nothing could be written.
!macro REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} Setup needs administrator rights." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
FunctionEnd

Function un.onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\ZelvoDrv.exe"
  File "${STAGE}\ZDrvs.dll"
  File "${STAGE}\ZelvoPrg.dll"
  File "${STAGE}\ZelvoDrives.icl"
  File "${STAGE}\Help.chm"
  File "${STAGE}\Purgo.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${SMFOLDER}"
  CreateShortCut "${SMFOLDER}\${PRODUCT}.lnk" "$INSTDIR\ZelvoDrv.exe"
  CreateShortCut "${SMFOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\Help.chm"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\ZelvoDrv.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ; Purgo takes away what the programs installed: the System folder files, the logon entry
  ; and the drive icon overrides. It must finish before its own file goes.
  ${If} ${FileExists} "$INSTDIR\Purgo.exe"
    ExecWait '"$INSTDIR\Purgo.exe"'
  ${EndIf}

  ; Only the files setup put here: anything else the user keeps, and so does the folder.
  ; A file still in use goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\ZelvoDrv.exe"
  Delete /REBOOTOK "$INSTDIR\ZDrvs.dll"
  Delete /REBOOTOK "$INSTDIR\ZelvoPrg.dll"
  Delete /REBOOTOK "$INSTDIR\ZelvoDrives.icl"
  Delete /REBOOTOK "$INSTDIR\Help.chm"
  Delete /REBOOTOK "$INSTDIR\Purgo.exe"
  Delete /REBOOTOK "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"

  Delete "${SMFOLDER}\${PRODUCT}.lnk"
  Delete "${SMFOLDER}\${PRODUCT} Help.lnk"
  RMDir "${SMFOLDER}"

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
