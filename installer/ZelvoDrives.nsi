; The Zelvo Drives installer: puts the application folder into Program Files, adds two
; Start-menu shortcuts and registers an uninstaller with Programs and Features. It carries the
; 32-bit and the x86-64 programs and installs the ones that match the machine: on 64-bit
; Windows only 64-bit programs see the real System32 and the native Run key, where Explorer
; and the logon look.
;
; Built by scripts/package.sh, which passes:
;   VERSION          the version users see (1.00), and VERSION_NUMBERS (1.0.0.0)
;   FILES            a script it writes from release.txt and shared/contract/layout.h, defining
;                    the macros INSTALL_FILES (STAGE) and DELETE_FILES for the files of the
;                    application folder, REFRESH_EACH_SYSTEM_COPY (STAGE) for the System folder's
;                    copies of them, and CHANGER_CLASS and UPDATER_CLASS (the window classes of
;                    the icon changer and the updater), and the lock an updater holds while it
;                    writes the drive icon overrides: UPDATER_LOCK, a mutex in the private
;                    namespace UPDATER_LOCK_NAMESPACE bounded by the Administrators group, and
;                    UPDATER_LOCK_GLOBAL where Windows offers no private namespaces
;   STAGE32          folder holding the 32-bit application folder's files (with fixed file times)
;   STAGE64          the same for the x86-64 application folder
;   ICON             the icon changer's icon, used for the installer
;   UNICON           the remover's icon, used for the uninstaller
;   ART              folder holding the wizard's pictures (data/art/setup-*.svg, with fixed file
;                    times), each drawn for 100, 150 and 200 %: setup_welcome.bmp (the welcome
;                    and finish pages) and setup_header.bmp (the header), and the same with the
;                    suffixes _150 and _200
;   OUTFILE          the installer to write
;   TARGET           (optional) another target than x86-unicode, for tests
;   SIGN             (optional) the command that signs a file in place: "SIGN FILE NAME"
;                    (scripts/sign.sh), given for a signed release

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
SetCompressor /SOLID lzma
; File times come from the staged files, which package.sh sets to the commit time.
SetDateSave on
!ifdef SIGN
  ; The uninstaller is signed before it is packed into the installer, the installer once written.
  !uninstfinalize '${SIGN} "%1" uninstall.exe' = 0
  !finalize '${SIGN} "%1" "ZelvoDrivesSetup-${VERSION}.exe"' = 0
!endif

!define PRODUCT "Zelvo Drives"
!include "${FILES}"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZelvoDrives"
!define SMFOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
; The programs write below HKEY_LOCAL_MACHINE and into the System folder, and so does setup.
RequestExecutionLevel admin
; Windows draws the wizard at the system's DPI instead of stretching it; its pictures are drawn
; for that DPI too (PicturesForDpi).
ManifestDPIAware true
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion ${VERSION_NUMBERS}
VIFileVersion ${VERSION_NUMBERS}
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
!include "WinMessages.nsh"

; Waiting for the updaters' lock and releasing it: SYNCHRONIZE | MUTEX_MODIFY_STATE.
!define UPDATER_LOCK_ACCESS 0x00100001
; WinBuiltinAdministratorsSid, and SECURITY_MAX_SID_SIZE.
!define ADMINISTRATORS_SID_TYPE 26
!define MAX_SID_SIZE 68
; GetDeviceCaps' index of the screen's horizontal DPI.
!define LOGPIXELSX 88

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${UNICON}"
!define MUI_ABORTWARNING
; The product's pictures: MUI unpacks the 100 % ones, and PicturesForDpi puts the drawing
; nearest the system's DPI in their place. The uninstaller's pages show the header alone.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}\setup_welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${ART}\setup_header.bmp"
!define MUI_CUSTOMFUNCTION_GUIINIT PicturesForDpi
!define MUI_CUSTOMFUNCTION_UNGUIINIT un.PicturesForDpi

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

; The pictures drawn for SCALE % in place of the 100 % ones, under the names MUI unpacked those
; to: the welcome and finish pages load theirs when they show, the header is loaded again here.
!macro UNPACK_PICTURES UN SCALE
  !if "${UN}" == ""
    File "/oname=$PLUGINSDIR\modern-wizard.bmp" "${ART}\setup_welcome_${SCALE}.bmp"
  !endif
  File "/oname=$PLUGINSDIR\modern-header.bmp" "${ART}\setup_header_${SCALE}.bmp"
  SetBrandingImage /IMGID=1046 /RESIZETOFIT "$PLUGINSDIR\modern-header.bmp"
!macroend

; Runs once the wizard's window exists, before its first page: takes the drawing nearest the
; system's DPI. A DPI halfway between two (120 at 125 %, 168 at 175 %) takes the larger drawing,
; which shrinks to fit more cleanly than the smaller one grows.
!macro PICTURES_FOR_DPI UN
Function ${UN}PicturesForDpi
  System::Call 'user32::GetDC(p 0) p.r0'
  System::Call 'gdi32::GetDeviceCaps(p r0, i ${LOGPIXELSX}) i.r1'
  System::Call 'user32::ReleaseDC(p 0, p r0)'
  ${If} $1 >= 168
    !insertmacro UNPACK_PICTURES "${UN}" 200
  ${ElseIf} $1 >= 120
    !insertmacro UNPACK_PICTURES "${UN}" 150
  ${EndIf}
FunctionEnd
!macroend
!insertmacro PICTURES_FOR_DPI ""
!insertmacro PICTURES_FOR_DPI "un."

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

; Closes every open icon changer window, as its close box would (so that its closing step runs
; now, not after files are replaced or removed), and waits for running updaters to end: a few
; seconds at most for each.
!macro STOP_PROGRAMS un
Function ${un}StopPrograms
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${CHANGER_CLASS}"
    ${If} $0 = 0
    ${OrIf} $1 >= 20
      ${ExitDo}
    ${EndIf}
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "${UPDATER_CLASS}"
    ${If} $0 = 0
    ${OrIf} $1 >= 50
      ${ExitDo}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  ; An updater of another session (the logon task's) has no window here, but holds the lock.
  ; $0 the lock, $2 the boundary descriptor, $3 the Administrators group's SID, $4 the namespace.
  StrCpy $0 0
  StrCpy $4 0
  System::Call 'kernel32::CreateBoundaryDescriptorW(w "${UPDATER_LOCK_NAMESPACE}", i 0) p.r2'
  ${If} $2 P<> 0
    System::Alloc ${MAX_SID_SIZE}
    Pop $3
    System::Call 'advapi32::CreateWellKnownSid(i ${ADMINISTRATORS_SID_TYPE}, p 0, p r3, *i ${MAX_SID_SIZE}) i.r1'
    ${If} $1 <> 0
      System::Call 'kernel32::AddSIDToBoundaryDescriptor(*p r2r2, p r3) i.r1'
      ${If} $1 <> 0
        System::Call 'kernel32::OpenPrivateNamespaceW(p r2, w "${UPDATER_LOCK_NAMESPACE}") p.r4'
        ${If} $4 P<> 0
          System::Call 'kernel32::OpenMutexW(i ${UPDATER_LOCK_ACCESS}, i 0, w "${UPDATER_LOCK}") p.r0'
        ${EndIf}
      ${EndIf}
    ${EndIf}
    System::Free $3
    System::Call 'kernel32::DeleteBoundaryDescriptor(p r2)'
  ${Else}
    ; Without private namespaces (Wine's boundary descriptors are stubs; its
    ; AddSIDToBoundaryDescriptor would end setup).
    System::Call 'kernel32::OpenMutexW(i ${UPDATER_LOCK_ACCESS}, i 0, w "${UPDATER_LOCK_GLOBAL}") p.r0'
  ${EndIf}
  ${If} $0 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r0, i 5000) i.r1'
    ${If} $1 = 0
    ${OrIf} $1 = 0x80
      System::Call 'kernel32::ReleaseMutex(p r0)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
  ${If} $4 P<> 0
    System::Call 'kernel32::ClosePrivateNamespace(p r4, i 0)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro STOP_PROGRAMS ""
!insertmacro STOP_PROGRAMS "un."

; Replaces a copy that the icon changer installed in the System folder (of the build installed:
; the native one on 64-bit Windows) with this release's, where there is one. A copy in use (a
; running updater) is replaced at the next restart.
!macro REFRESH_SYSTEM_COPY STAGE SOURCE TARGET
  ${If} ${FileExists} "$SYSDIR\${TARGET}"
    File "/oname=$SYSDIR\${TARGET}.new" "${STAGE}\${SOURCE}"
    Delete "$SYSDIR\${TARGET}"
    Rename /REBOOTOK "$SYSDIR\${TARGET}.new" "$SYSDIR\${TARGET}"
  ${EndIf}
!macroend

; An upgrade: the System folder copies of an earlier Zelvo Drives give way to this release's.
; The drive icon overrides, the logon entry and the logon task stay as they are.
!macro REFRESH_SYSTEM_COPIES STAGE
  ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $0 != ""
    ${If} ${RunningX64}
      ${DisableX64FSRedirection}
    ${EndIf}
    !insertmacro REFRESH_EACH_SYSTEM_COPY "${STAGE}"
    ${If} ${RunningX64}
      ${EnableX64FSRedirection}
    ${EndIf}
  ${EndIf}
!macroend

Function un.onInit
  !insertmacro REQUIRE_ADMIN
  SetShellVarContext all
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Install"
  Call StopPrograms
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    !insertmacro INSTALL_FILES "${STAGE64}"
    !insertmacro REFRESH_SYSTEM_COPIES "${STAGE64}"
  ${Else}
    !insertmacro INSTALL_FILES "${STAGE32}"
    !insertmacro REFRESH_SYSTEM_COPIES "${STAGE32}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${SMFOLDER}"
  ; ZelvoDrv asks for administrator rights by itself when it starts.
  CreateShortCut "${SMFOLDER}\${PRODUCT}.lnk" "$INSTDIR\ZelvoDrv.exe" "" "" 0 SW_SHOWNORMAL "" \
    "Changes the drive icons. Windows asks for administrator rights when it starts."
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
  ; An open icon changer would write the logon entry again when closed after Purgo.
  Call un.StopPrograms
  ${If} ${FileExists} "$INSTDIR\Purgo.exe"
    ExecWait '"$INSTDIR\Purgo.exe"'
  ${EndIf}

  ; Only the files setup put here: anything else the user keeps, and so does the folder.
  ; A file still in use goes at the next restart.
  !insertmacro DELETE_FILES
  Delete /REBOOTOK "$INSTDIR\uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"

  Delete "${SMFOLDER}\${PRODUCT}.lnk"
  Delete "${SMFOLDER}\${PRODUCT} Help.lnk"
  RMDir "${SMFOLDER}"

  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
