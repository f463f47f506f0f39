; Hopdirs' installer: per user, no administrator rights, one page per decision.
; Built by scripts/dist.sh, which defines:
;   VERSION          the version as shown, e.g. 1.21.0002
;   VERSION_NUMERIC  the same as four numbers, e.g. 1.21.0.2 (the setup's own version resource)
;   ROOT, EXE        the repository and the Hopdirs.exe to package
;   README, LICENSE  the text files installed beside it
;   PICTURES         a folder with welcome.bmp (164x314) and header.bmp (150x57)
;   OUTFILE          the setup to write
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh

!define APP "Hopdirs"
!define PUBLISHER "Quorvane"
!define MAIN_WINDOW_CLASS "HopdirsMain"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Hopdirs"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Where Windows keeps the user's "off" switch from Settings > Apps > Startup.
!define STARTUP_APPROVED_KEY \
  "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define SETTINGS_KEY "Software\Quorvane\Hopdirs"
!define CLOSE_TIMEOUT_MS 10000

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION_NUMERIC}"
VIAddVersionKey /LANG=0 "ProductName" "${APP}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${APP} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!define MUI_ICON "${ROOT}/src/app/hopdirs.ico"
!define MUI_UNICON "${ROOT}/src/app/hopdirs.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/welcome.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PICTURES}/header.bmp"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${APP} ${VERSION} for you alone: no administrator \
rights are needed.$\r$\n$\r$\nA running ${APP} is closed first and started again afterwards. \
Your list of paths is kept.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Hopdirs.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var wasRunning

; Ends a running Hopdirs the way the task manager's close request does: WM_CLOSE to its main
; window makes it write the list and quit. The wait is bounded so a hung program cannot hang
; the setup; the file copy then reports the busy file as usual.
!macro CloseRunningHopdirs
  StrCpy $wasRunning 0
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 != 0
    StrCpy $wasRunning 1
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'  ; SYNCHRONIZE
    System::Call 'user32::PostMessageW(p r0, i 0x0010, p 0, p 0) i'       ; WM_CLOSE
    ${If} $2 != 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i ${CLOSE_TIMEOUT_MS}) i'
      System::Call 'kernel32::CloseHandle(p r2) i'
    ${EndIf}
  ${EndIf}
!macroend

Section "${APP}" SecProgram
  SectionIn RO
  !insertmacro CloseRunningHopdirs
  SetOutPath "$INSTDIR"
  File "/oname=Hopdirs.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Hopdirs.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Hopdirs.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0  ; in KB
SectionEnd

Section "Start ${APP} when Windows starts" SecStartup
  WriteRegStr HKCU "${RUN_KEY}" "${APP}" '"$INSTDIR\Hopdirs.exe"'
SectionEnd

; Runs last: an upgrade honours an unticked start-up choice, and a Hopdirs that was running
; before is running again afterwards.
Section "-Finish"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  ${EndIf}
  ${If} $wasRunning == 1
    Exec '"$INSTDIR\Hopdirs.exe"'
  ${EndIf}
SectionEnd

; An install over an earlier one keeps start-with-Windows as the user left it: without the Run
; value (switched off, or unticked before) the choice starts unticked, so neither the page nor a
; silent upgrade adds it back. Windows' own on/off switch (StartupApproved) is never touched.
Function .onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    ClearErrors
    ReadRegStr $1 HKCU "${RUN_KEY}" "${APP}"
    ${If} ${Errors}
      !insertmacro UnselectSection ${SecStartup}
    ${EndIf}
  ${EndIf}
FunctionEnd

; Already started again by the setup: no second "start now".
Function FinishPageShow
  ${If} $wasRunning == 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Section "un.${APP}" UnProgram
  SectionIn RO
  !insertmacro CloseRunningHopdirs
  Delete "$INSTDIR\Hopdirs.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"  ; only if empty: never the user's own files
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${APP}"
  DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${APP}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; Off by default, and so kept by a silent uninstall.
Section /o "un.Also remove my list of paths" UnSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
SectionEnd
