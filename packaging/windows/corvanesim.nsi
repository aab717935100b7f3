; The CorvaneSim setup program for 64-bit Windows. Made by the Windows build
; (cmake/WindowsPackage.cmake), which defines VERSION, STAGING (the installed
; files and the lists of them), REGISTERS_SERVER (1 when corvanesim.exe
; answers /RegServer) and OUTFILE.
; Silent: setup.exe /S [/D=folder]; Uninstall.exe /S.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include LogicLib.nsh

!define PRODUCT "CorvaneSim"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; corvanesim.exe gets this long to register or unregister itself; a program
; that does not understand the switch opens its window instead and is ended.
!define REGISTRATION_TIMEOUT_MS 60000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "the ${PRODUCT} developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!if ${REGISTERS_SERVER} == 1
; Runs corvanesim.exe with one switch and waits for it at most the time
; above. Leaves its exit code in $0, or "timeout".
!macro RunServerSwitch un
Function ${un}RunServerSwitch
  Exch $1  ; the switch
  Push $2
  Push $3
  Push $4
  Push $5
  StrCpy $5 '"$INSTDIR\corvanesim.exe" $1'
  ; STARTUPINFOW (104 bytes, cb first) and PROCESS_INFORMATION, zeroed.
  System::Alloc 104
  Pop $2
  System::Call '*$2(i 104)'
  System::Alloc 24
  Pop $3
  System::Call 'kernel32::CreateProcessW(p 0, w r5, p 0, p 0, i 0, i 0, p 0, p 0, p r2, p r3) i .r4'
  ${If} $4 == 0
    StrCpy $0 "not started"
  ${Else}
    System::Call '*$3(p .r4, p .r1)'
    System::Call 'kernel32::WaitForSingleObject(p r4, i ${REGISTRATION_TIMEOUT_MS}) i .r0'
    ${If} $0 == 0
      System::Call 'kernel32::GetExitCodeProcess(p r4, *i .r0)'
    ${Else}
      System::Call 'kernel32::TerminateProcess(p r4, i 1)'
      System::Call 'kernel32::WaitForSingleObject(p r4, i 10000)'
      StrCpy $0 "timeout"
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r4)'
    System::Call 'kernel32::CloseHandle(p r1)'
  ${EndIf}
  System::Free $2
  System::Free $3
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro RunServerSwitch ""
!insertmacro RunServerSwitch "un."
!endif

; A running server holds corvanesim.exe open, so the files could be neither
; replaced nor all removed: the operator closes it first.
; Its window is found even while it is hidden (a server that a client
; started). Silent, the setup ends at once with exit code 2.
!macro WaitForServerToEnd un
Function ${un}WaitForServerToEnd
  Push $0
  ${Do}
    FindWindow $0 "CorvaneSim.frmMain"
    ${IfThen} $0 == 0 ${|} ${Break} ${|}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close its window (answer Yes to its \
      exit question), then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
  retry:
  ${Loop}
  Pop $0
FunctionEnd
!macroend
!insertmacro WaitForServerToEnd ""
!insertmacro WaitForServerToEnd "un."

Function .onInit
  Call WaitForServerToEnd
FunctionEnd

Function un.onInit
  Call un.WaitForServerToEnd
FunctionEnd

Section "Install"
  SetRegView 64
  SetShellVarContext all
  !include "${STAGING}/install-files.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\corvanesim.exe" "" "$INSTDIR\corvanesim.exe" 0 \
                 SW_SHOWNORMAL "" "The ${PRODUCT} operator window"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "the ${PRODUCT} developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvanesim.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

!if ${REGISTERS_SERVER} == 1
  DetailPrint "Registering the ${PRODUCT} server"
  Push "/RegServer"
  Call RunServerSwitch
  ${If} $0 != 0
    ; The files stay, so that corvanesim.exe /RegServer can be run again by hand.
    MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} is installed, but its server could not be registered \
      (corvanesim.exe /RegServer: $0). Clients cannot create its objects until it is." /SD IDOK
    SetErrorLevel 3
  ${EndIf}
!else
  DetailPrint "This corvanesim.exe has no COM server to register"
!endif
SectionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
!if ${REGISTERS_SERVER} == 1
  DetailPrint "Unregistering the ${PRODUCT} server"
  Push "/UnregServer"
  Call un.RunServerSwitch
  ${If} $0 != 0
    DetailPrint "corvanesim.exe /UnregServer: $0"
    SetErrorLevel 3
  ${EndIf}
  ; A type library the server wrote for itself when it registered.
  Delete "$INSTDIR\*.tlb"
!endif
  !include "${STAGING}/uninstall-files.nsh"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
