; Installer of the client: a per-user install that needs no administrator rights.
; The build passes PRODUCT_NSH, the generated header with the product's identity, the
; target architecture, the output file and the list of files to install.
Unicode true
!include "${PRODUCT_NSH}"
Target ${NSIS_TARGET}
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
; Per-user programs live in the user's local programs folder; an update goes where the
; registered install is.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE_NAME}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback for systems that use neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
LangString ClientRunning ${LANG_ENGLISH} "${PRODUCT} is running from this folder. Close it, then click Retry."
LangString ClientRunning ${LANG_SIMPCHINESE} "${PRODUCT} 正在从此文件夹运行。请先关闭它，然后点击“重试”。"

; A running client, its engine's sub-processes included, keeps its executable mapped, and
; Windows refuses to open a mapped image for writing. So the check needs no help from the
; client, sees a client that is still starting or closing, and concerns only the copy whose
; files would be replaced; a copy running from another folder is no obstacle.
; Pushes "closed", or "running" when the user gave up (silent runs give up at once).
!macro DEFINE_WAIT_FOR_CLIENT un
Function ${un}WaitForClient
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\${EXE_NAME}"
      Push closed
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\${EXE_NAME}" a
    ${IfNot} ${Errors}
      FileClose $0
      Push closed
      Return
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ClientRunning)" /SD IDCANCEL IDRETRY`
      Push running
      Return
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_CLIENT ""
!insertmacro DEFINE_WAIT_FOR_CLIENT "un."

; Ends the run with exit code 2, changing nothing, while the client runs.
!macro QUIT_IF_CLIENT_RUNS un
  Call ${un}WaitForClient
  Pop $0
  ${If} $0 == running
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function DirectoryLeave
  Call WaitForClient
  Pop $0
  ${If} $0 == running
    Abort ; stays on the page
  ${EndIf}
FunctionEnd

; An install in another folder is removed first, so one copy and one registration remain.
; If it cannot be removed (its client runs), it is left as it is.
Function RemoveEarlierInstall
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIf} $0 == $INSTDIR
  ${OrIfNot} ${FileExists} "$0\${UNINSTALLER}"
    Return
  ${EndIf}
  ; _?= runs the uninstaller in place, so ExecWait waits for the uninstall itself.
  ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
  ${If} $1 == 0
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "-${PRODUCT}" SecClient
  !insertmacro QUIT_IF_CLIENT_RUNS ""
  Call RemoveEarlierInstall
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE_NAME}" "" "$INSTDIR\${EXE_NAME}" 0 \
    SW_SHOWNORMAL "" "${DESCRIPTION}"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME},0"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINST_KEY}" "URLInfoAbout" "${SITE_ROOT}"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "VersionMajor" ${VERSION_MAJOR}
  WriteRegDWORD HKCU "${UNINST_KEY}" "VersionMinor" ${VERSION_MINOR}
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecClient} $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer wrote and the engine's "Cache" folder; files the user put
; into the folder stay, and so does the folder with them.
Section "Uninstall"
  !insertmacro QUIT_IF_CLIENT_RUNS "un."
  !insertmacro UninstallFiles
  RMDir /r "$INSTDIR\Cache"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The shortcut and the registration belong to the registered install, which may be
  ; another copy.
  ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINST_KEY}"
  ${EndIf}
SectionEnd
