; Quillboard's installer: one user, no administrator rights, the program in
; the user's local programs folder, a Start menu shortcut, an entry in the
; installed programs, and "Start with Windows" as the program's own tray
; command writes it. The data folder (%APPDATA%\Quillboard) is never touched.
;
; Built by scripts/package.sh, which passes what comes from the build:
;   makensis -DQB_VERSION=1.2.3 -DQB_PROGRAM=<Quillboard.exe> -DQB_ICON=<.ico>
;            -DQB_WIZARD_BITMAP=<164 x 314 .bmp>
;            -DQB_OUTPUT=<Quillboard-Setup-1.2.3.exe> installer/quillboard.nsi

; Windows x64 only, like the program (and the only kind Wine runs here).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef QB_VERSION | QB_PROGRAM | QB_ICON | QB_WIZARD_BITMAP | QB_OUTPUT
  !error "Build with scripts/package.sh: QB_VERSION, QB_PROGRAM, QB_ICON, QB_WIZARD_BITMAP and QB_OUTPUT are needed."
!endif

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Quillboard"
!define PUBLISHER "Quillboard Project"
!define PROGRAM_FILE "Quillboard.exe"
!define UNINSTALLER_FILE "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillboard"
; The same value the program's "Start with Windows" writes: the quoted full
; path of the program, no arguments.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Quillboard"
; A running copy is asked to quit as its tray menu's "Quit" does: every note
; is saved, then the program ends.
!define TRAY_CLASS "QuillboardTrayWindow"
!define TRAY_QUIT_COMMAND 1002
; Tells the program not to wait on a question (notes it cannot save, say).
!define QUIT_WITHOUT_QUESTION 1
!define QUIT_TIMEOUT_MS 20000
!define SYNCHRONIZE 0x00100000
!define WAIT_OBJECT_0 0

Name "${PRODUCT}" "${PRODUCT} ${QB_VERSION}"
OutFile "${QB_OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${QB_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${QB_VERSION}.0"
VIFileVersion "${QB_VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${QB_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${QB_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"

Var IsUpgrade

; ---------------------------------------------------------------- pages

!define MUI_ICON "${QB_ICON}"
!define MUI_UNICON "${QB_ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${QB_WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
; An upgrade goes where the program already is.
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipDirectoryPageOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Not shown in silent mode, so a silent install never starts the program.
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM_FILE}"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the system's is neither; French is
; chosen for any French variant of the user's interface language, as the
; program itself does.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString WelcomeText ${LANG_ENGLISH} "This will install $(^NameDA) for you alone; no administrator rights are needed.$\r$\n$\r$\nIf Quillboard is running, it saves your notes and quits first. Your notes stay where they are.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_FRENCH} "$(^NameDA) va être installé pour vous seul ; aucun droit d'administrateur n'est nécessaire.$\r$\n$\r$\nSi Quillboard est ouvert, il enregistre vos notes et se ferme d'abord. Vos notes restent où elles sont.$\r$\n$\r$\nCliquez sur Suivant pour continuer."
LangString UninstallText ${LANG_ENGLISH} "$(^NameDA) will be removed from the folder below.$\r$\n$\r$\nYour notes stay in %APPDATA%\Quillboard."
LangString UninstallText ${LANG_FRENCH} "$(^NameDA) va être supprimé du dossier ci-dessous.$\r$\n$\r$\nVos notes restent dans %APPDATA%\Quillboard."
LangString SectionProgramName ${LANG_ENGLISH} "Quillboard"
LangString SectionProgramName ${LANG_FRENCH} "Quillboard"
LangString SectionProgramText ${LANG_ENGLISH} "The program, a Start menu shortcut and its entry in the installed apps."
LangString SectionProgramText ${LANG_FRENCH} "Le programme, un raccourci dans le menu Démarrer et son entrée dans les applications installées."
LangString SectionStartupName ${LANG_ENGLISH} "Start with Windows"
LangString SectionStartupName ${LANG_FRENCH} "Démarrer avec Windows"
LangString SectionStartupText ${LANG_ENGLISH} "Start Quillboard when you sign in, as its tray menu's $\"Start with Windows$\" does."
LangString SectionStartupText ${LANG_FRENCH} "Lancer Quillboard à l'ouverture de session, comme le fait $\"Démarrer avec Windows$\" dans son menu."
LangString QuittingRunningCopy ${LANG_ENGLISH} "Asking the running Quillboard to save its notes and quit..."
LangString QuittingRunningCopy ${LANG_FRENCH} "Quillboard est ouvert : enregistrement des notes et fermeture..."
LangString CopyStillRunning ${LANG_ENGLISH} "Quillboard is still running. Quit it from its tray icon menu, then choose Retry."
LangString CopyStillRunning ${LANG_FRENCH} "Quillboard est toujours ouvert. Quittez-le depuis le menu de son icône, puis choisissez Réessayer."

; ---------------------------------------------------------------- running copy

; Asks a running copy to quit through its tray window and waits for the
; process to end, so that its notes are saved and its file can be replaced.
; A copy that does not end leaves the choice to retry or to stop the
; installation (stop, in silent mode: exit code 2, nothing changed).
!macro QUIT_RUNNING_COPY_FUNCTION prefix
Function ${prefix}QuitRunningCopy
  Push $0
  Push $1
  Push $2
  Push $3
  again:
    FindWindow $0 "${TRAY_CLASS}"
    StrCmp $0 0 done
    DetailPrint "$(QuittingRunningCopy)"
    StrCpy $1 0
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
    SendMessage $0 ${WM_COMMAND} ${TRAY_QUIT_COMMAND} ${QUIT_WITHOUT_QUESTION} /TIMEOUT=${QUIT_TIMEOUT_MS}
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i ${QUIT_TIMEOUT_MS}) i .r3"
      System::Call "kernel32::CloseHandle(p r2)"
      IntCmp $3 ${WAIT_OBJECT_0} done
    ${Else}
      ; No handle on the process: wait for its tray window to go instead.
      StrCpy $3 0
      ${Do}
        Sleep 100
        IntOp $3 $3 + 100
        FindWindow $0 "${TRAY_CLASS}"
        ${If} $0 = 0
        ${OrIf} $3 >= ${QUIT_TIMEOUT_MS}
          ${ExitDo}
        ${EndIf}
      ${Loop}
      StrCmp $0 0 done
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CopyStillRunning)" /SD IDCANCEL IDRETRY again
    SetErrorLevel 2
    Quit
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro QUIT_RUNNING_COPY_FUNCTION ""
!insertmacro QUIT_RUNNING_COPY_FUNCTION "un."

; Removes the Run value when it starts the copy in $INSTDIR (quoted or not);
; a value that starts another copy is that copy's, and stays.
!macro REMOVE_OWN_RUN_VALUE_FUNCTION prefix
Function ${prefix}RemoveOwnRunValue
  Push $0
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\${PROGRAM_FILE}"'
  ${OrIf} $0 == "$INSTDIR\${PROGRAM_FILE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  Pop $0
FunctionEnd
!macroend
!insertmacro REMOVE_OWN_RUN_VALUE_FUNCTION ""
!insertmacro REMOVE_OWN_RUN_VALUE_FUNCTION "un."

; ---------------------------------------------------------------- install

Section "$(SectionProgramName)" SectionProgram
  SectionIn RO
  Call QuitRunningCopy

  SetOutPath "$INSTDIR"
  File "/oname=${PROGRAM_FILE}" "${QB_PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER_FILE}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM_FILE}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${QB_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_FILE}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_FILE}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SectionStartupName)" SectionStartup
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PROGRAM_FILE}"'
SectionEnd

; Unticking "Start with Windows" turns it off for this copy.
Section "-StartupOff"
  ${IfNot} ${SectionIsSelected} ${SectionStartup}
    Call RemoveOwnRunValue
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "$(SectionProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionStartup} "$(SectionStartupText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ; An upgrade keeps the place and the "Start with Windows" choice of the
  ; copy it replaces: a user who turned it off does not find it on again.
  StrCpy $IsUpgrade 0
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${PROGRAM_FILE}"
    StrCpy $IsUpgrade 1
    ReadRegStr $1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 == ""
      !insertmacro UnselectSection ${SectionStartup}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function SkipDirectoryPageOnUpgrade
  ${If} $IsUpgrade = 1
    Abort
  ${EndIf}
FunctionEnd

; ---------------------------------------------------------------- uninstall

; The notes stay: nothing under the data folder is removed.
Section "Uninstall"
  Call un.QuitRunningCopy
  Delete "$INSTDIR\${PROGRAM_FILE}"
  Delete "$INSTDIR\${UNINSTALLER_FILE}"
  ; Only when empty: files the user put there are not ours to delete.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Call un.RemoveOwnRunValue
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
