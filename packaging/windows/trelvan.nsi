; The Windows installer of TRELVAN, made by scripts/package-windows:
;   makensis -DVERSION=1.0.0 -DSTAGE=DIR -DICON=trelvan.ico -DOUTFILE=setup.exe trelvan.nsi
; STAGE holds TRELVAN.EXE, trelvan-cli.exe, CTI-MNE.txt and LICENSE.txt.
;
; It installs for the current user without administrator rights (into the user's Programs
; folder, registered under HKCU); "all users" installs into Program Files under HKLM and
; restarts the installer elevated when it is not. Command line (also for /S, silent):
;   /CurrentUser (the default), /AllUsers, /ASSOCIATE (open *.gpc and *.abo with TRELVAN),
;   /D=FOLDER (last, as NSIS wants it).
; 64-bit, like the programs: Wine on Debian runs it without 32-bit libraries.
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include nsDialogs.nsh

!define PRODUCT "TRELVAN"
!define PUBLISHER "Trelvan Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TRELVAN"
!define PROG_ID "TRELVAN.Statement"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
VIProductVersion "${VERSION}.0"

Var AllUsers      ; 1: install for every user of the computer
Var ModeAllUsers  ; the radio button of the install mode page
Var IsAdmin

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\TRELVAN.EXE"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\CTI-MNE.txt"

Page custom InstallModePage InstallModeLeave
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CZECH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CZECH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_CZECH} "FileDescription" "${PRODUCT} – instalace"
VIAddVersionKey /LANG=${LANG_CZECH} "LegalCopyright" "Copyright © 2002-2026 ${PUBLISHER}"

; Registry and shell folders of the chosen mode; 64-bit programs, so the 64-bit registry view.
!macro UseMode ALL
  SetRegView 64
  ${If} ${ALL} == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Section "TRELVAN (program s oknem a trelvan-cli)" SecMain
  SectionIn RO
  !insertmacro UseMode $AllUsers
  SetOutPath "$INSTDIR"
  File "${STAGE}\TRELVAN.EXE"
  File "${STAGE}\trelvan-cli.exe"
  File "${STAGE}\CTI-MNE.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\TRELVAN.EXE" "" "$INSTDIR\TRELVAN.EXE" 0 \
    SW_SHOWNORMAL "" "Převod bankovních výpisů mezi ABO a DBF"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TRELVAN.EXE,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.trelvan.example/"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section /o "Otevírat soubory *.gpc a *.abo programem TRELVAN" SecAssociate
  !insertmacro UseMode $AllUsers
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}" "" "Bankovní výpis ABO"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\TRELVAN.EXE,0"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\TRELVAN.EXE" "%1"'
  WriteRegStr SHCTX "Software\Classes\.gpc" "" "${PROG_ID}"
  WriteRegStr SHCTX "Software\Classes\.gpc\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr SHCTX "Software\Classes\.abo" "" "${PROG_ID}"
  WriteRegStr SHCTX "Software\Classes\.abo\OpenWithProgids" "${PROG_ID}" ""
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "Associated" 1
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
SectionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "TRELVAN potřebuje 64bitovou verzi Windows." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  UserInfo::GetAccountType
  Pop $0
  StrCpy $IsAdmin 0
  ${If} $0 == "Admin"
    StrCpy $IsAdmin 1
  ${EndIf}

  ${GetParameters} $R0
  StrCpy $AllUsers 0
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    ${If} $IsAdmin == 0
      ${If} ${Silent}
        SetErrorLevel 740  ; ERROR_ELEVATION_REQUIRED
        Quit
      ${EndIf}
      Call RestartElevated
    ${EndIf}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/ASSOCIATE" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAssociate} ${SF_SELECTED}
  ${EndIf}
  Call ApplyMode
FunctionEnd

; The default folder of the mode, unless /D= named one.
Function ApplyMode
  SetShellVarContext current  ; $LOCALAPPDATA of the user, not of all users
  ${If} $INSTDIR == "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${OrIf} $INSTDIR == "$PROGRAMFILES64\${PRODUCT}"
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
  !insertmacro UseMode $AllUsers
FunctionEnd

; Starts this installer again with administrator rights for all users; this copy ends.
Function RestartElevated
  ClearErrors
  ExecShell "runas" "$EXEPATH" "/AllUsers"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP \
      "Instalace pro všechny uživatele potřebuje oprávnění správce. Zvolte instalaci jen pro sebe."
    Return
  ${EndIf}
  Quit
FunctionEnd

Function InstallModePage
  ; Started elevated for all users: nothing left to choose.
  ${If} $AllUsers == 1
  ${AndIf} $IsAdmin == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Způsob instalace" "Pro koho má být TRELVAN nainstalován?"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateRadioButton} 0 10u 100% 12u "&Jen pro mě (oprávnění správce nejsou potřeba)"
  Pop $1
  ${NSD_CreateRadioButton} 0 30u 100% 12u "Pro &všechny uživatele tohoto počítače (vyžaduje oprávnění správce)"
  Pop $ModeAllUsers
  ${If} $AllUsers == 1
    ${NSD_Check} $ModeAllUsers
  ${Else}
    ${NSD_Check} $1
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function InstallModeLeave
  ${NSD_GetState} $ModeAllUsers $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
    ${If} $IsAdmin == 0
      Call RestartElevated
      Abort
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; The uninstaller finds its mode by the key that names its folder.
Function un.onInit
  SetRegView 64
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      ${If} ${Silent}
        SetErrorLevel 740
        Quit
      ${EndIf}
      ClearErrors
      ExecShell "runas" "$EXEPATH"
      ${IfNot} ${Errors}
        Quit
      ${EndIf}
      MessageBox MB_OK|MB_ICONSTOP "Odinstalace pro všechny uživatele potřebuje oprávnění správce."
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

!macro RemoveExtension EXT
  ReadRegStr $0 SHCTX "Software\Classes\${EXT}" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue SHCTX "Software\Classes\${EXT}" ""
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\${EXT}\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /IfEmpty SHCTX "Software\Classes\${EXT}\OpenWithProgids"
  DeleteRegKey /IfEmpty SHCTX "Software\Classes\${EXT}"
!macroend

Section "Uninstall"
  !insertmacro UseMode $AllUsers
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ReadRegDWORD $1 SHCTX "${UNINSTALL_KEY}" "Associated"
  DeleteRegKey SHCTX "Software\Classes\${PROG_ID}"
  !insertmacro RemoveExtension ".gpc"
  !insertmacro RemoveExtension ".abo"
  ${If} $1 == 1
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; The paths the dialog remembered for the user who uninstalls.
  DeleteRegKey HKCU "Software\${PUBLISHER}\${PRODUCT}"
  DeleteRegKey /IfEmpty HKCU "Software\${PUBLISHER}"
  Delete "$INSTDIR\TRELVAN.EXE"
  Delete "$INSTDIR\trelvan-cli.exe"
  Delete "$INSTDIR\CTI-MNE.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; This uninstaller runs as a copy in a folder of its own under TEMP, which the system would
  ; only empty at the next start: remove the copy and its folder once it has ended.
  ${If} $EXEDIR != $INSTDIR
    ExecShell "" "$SYSDIR\cmd.exe" \
      '/c ping -n 4 127.0.0.1 >nul & del /f /q "$EXEPATH" & rmdir "$EXEDIR"' SW_HIDE
  ${EndIf}
  ; The user's Programs folder, when this installer made it and nothing else is in it.
  ${If} $AllUsers == 0
    SetShellVarContext current
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
SectionEnd
