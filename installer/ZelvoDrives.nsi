; The Zelvo Drives installer: puts the application folder into Program Files, adds two
; Start-menu shortcuts and registers an uninstaller with Programs and Features. It carries the
; 32-bit and the x86-64 programs and installs the ones that match the machine: on 64-bit
; Windows only 64-bit programs see the real System32 and the native Run key, where Explorer
; and the logon look.
;
; Built by scripts/package.sh, which passes:
;   STAGE32  folder holding the 32-bit application folder's files (with fixed file times)
;   STAGE64  the same for the x86-64 application folder
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
!include "x64.nsh"

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
  ${If} ${RunningX64}
    ; The 64-bit folder and the native registry view, unless /D named another folder.
    SetRegView 64
    ${If} $INSTDIR == "$PROGRAMFILES\${PRODUCT}"
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
      ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
      ${If} $0 != ""
        StrCpy $INSTDIR $0
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${STAGE64}\ZelvoDrv.exe"
    File "${STAGE64}\ZDrvs.dll"
    File "${STAGE64}\Purgo.exe"
  ${Else}
    File "${STAGE32}\ZelvoDrv.exe"
    File "${STAGE32}\ZDrvs.dll"
    File "${STAGE32}\Purgo.exe"
  ${EndIf}
  ; Icon libraries and help are data, the same files for both.
  File "${STAGE32}\ZelvoPrg.dll"
  File "${STAGE32}\ZelvoDrives.icl"
  File "${STAGE32}\Help.chm"
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
  ; and the drive icon overrides. It must finish before its own file goes. It is the build
  ; that was installed, so it removes from the same System folder and registry view.
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
