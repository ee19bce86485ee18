; Keystave's installer: per machine, under Program Files, with a Start-menu
; shortcut and an entry in the list of installed programs. "/S" installs and
; uninstalls without a window, for deployment tools.
;   makensis -DVERSION=1.0.0 -DARCH=win64 -DPROGRAM=<keystave.exe> -DFILES=<folder>
;            -DOUTFILE=<setup.exe> -DICON=<.ico> keystave.nsi
; FILES holds keystavedata.xml, README.txt, LICENSE.txt and, when HELP is
; defined, keystave.chm.

!ifndef VERSION | ARCH | PROGRAM | FILES | OUTFILE | ICON
  !error "VERSION, ARCH, PROGRAM, FILES, OUTFILE and ICON must be defined"
!endif

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Keystave"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Keystave"
!define BACKUPS "%LOCALAPPDATA%\Keystave\Backups"

!if "${ARCH}" == "win64"
  !define BITS "64-bit"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  !define BITS "32-bit"
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif

Name "${PRODUCT} ${VERSION} (${BITS})"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} (${BITS}) Setup"
VIAddVersionKey "FileVersion" "${VERSION}.0"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Where the program's files and its uninstall entry go: the 64-bit program
; in the 64-bit Program Files and registry, though the installer is 32-bit.
!macro UseMachineViews
  SetShellVarContext all
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
!macroend

; The program's single-instance mutex: while it is there, Keystave runs and
; its files cannot be replaced. Silent runs end with exit code 3 instead.
!define INSTANCE_MUTEX "KEYSTAVE-336C86FC-C4C2-4831-B62E-CAC068BFA5CC"
!macro RefuseWhileRunning WHAT
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
    ${If} $0 P= 0
      ${Break}
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Keystave is running. Close it, then choose Retry to ${WHAT}." /SD IDCANCEL IDRETRY +3
    SetErrorLevel 3
    Quit
  ${Loop}
!macroend

Function .onInit
  !if "${ARCH}" == "win64"
    ${IfNot} ${RunningX64}
      MessageBox MB_OK|MB_ICONSTOP "This is the 64-bit ${PRODUCT}. This Windows is 32-bit: use the 32-bit installer." /SD IDOK
      SetErrorLevel 2
      Abort
    ${EndIf}
  !endif
  !insertmacro UseMachineViews
  !insertmacro RefuseWhileRunning "install"
FunctionEnd

Function un.onInit
  !insertmacro UseMachineViews
  !insertmacro RefuseWhileRunning "remove it"
FunctionEnd

Section "Keystave"
  SetOutPath "$INSTDIR"
  File "${PROGRAM}"
  File "${FILES}\keystavedata.xml"
  File "${FILES}\README.txt"
  File "${FILES}\LICENSE.txt"
  !ifdef HELP
    File "${FILES}\keystave.chm"
  !endif
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program's manifest asks for administrator rights: the shortcut starts it elevated.
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\keystave.exe" "" "$INSTDIR\keystave.exe" 0 \
    SW_SHOWNORMAL "" "Shows and edits the Boot Configuration Data store"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (${BITS})"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\keystave.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\keystave.exe"
  Delete "$INSTDIR\keystavedata.xml"
  Delete "$INSTDIR\keystave.chm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files someone put beside the program stay.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The backups are each user's copies of the boot store: they are kept.
  DetailPrint "The backups of the boot configuration in ${BACKUPS} are kept."
  MessageBox MB_OK|MB_ICONINFORMATION "${PRODUCT} is removed.$\r$\n$\r$\nThe backups of the boot configuration it made are kept, in each user's ${BACKUPS} folder. Delete that folder yourself when you no longer need them." /SD IDOK
SectionEnd
