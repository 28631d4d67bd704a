; The Tabrix installer for Windows 2000/XP and later. Built by scripts/release.sh, which
; passes VERSION, VERSION4 (four numbers), STAGE (the program folder to ship), FILES and
; UNFILES (the generated lines installing and removing its files), ICON and OUTFILE.
;
; Command line: /S silent; /D=<folder> where to install (last, unquoted); /STARTUP adds
; "Start with Windows"; /CURRENTUSER installs for this user only, as for a user who is not
; an administrator. Uninstaller: /S silent; /REMOVESETTINGS also removes config.ini and
; drives.inf beside the program and in the user's application-data folder.

Unicode false
SetCompressor /SOLID lzma
; The installer's own manifest: elevation where the user may (a per-machine install writes to
; Program Files), every Windows named, common controls 6 (MUI2's XPStyle on), and, like
; Tabrix.exe, no DPI awareness (ManifestDPIAware left unset).
RequestExecutionLevel highest
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include TextFunc.nsh

!define APP "Tabrix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
; Every file the installers put into the folder, one relative path a line, so the
; uninstaller removes exactly those (and those of earlier versions) and nothing the user added.
!define LIST "installed.txt"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${APP} setup"
VIAddVersionKey "LegalCopyright" "MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tabrix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tabrix now"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var AllUsers

!macro Installed path
    FileWrite $9 "${path}$\r$\n"
!macroend

; A running copy holds Tabrix.exe: ask it to close (it saves its layout on the way), and
; let the user retry if it will not.
!macro CloseRunning un
Function ${un}CloseRunning
    StrCpy $1 0
    ${Do}
        FindWindow $0 "TForm1" "${APP}"
        ${If} $0 == 0
            ${Break}
        ${EndIf}
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        Sleep 200
        IntOp $1 $1 + 1
        ${If} $1 >= 25
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Tabrix is still running. Close it, then press Retry." /SD IDCANCEL IDRETRY +2
            Abort
            StrCpy $1 0
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro CloseRunning ""
!insertmacro CloseRunning "un."

Section "Tabrix (required)" SecProgram
    SectionIn RO
    Call CloseRunning
    SetOutPath "$INSTDIR"
    FileOpen $9 "$INSTDIR\${LIST}" a
    FileSeek $9 0 END
    !include "${FILES}"
    ; The user's settings survive an upgrade: these two are only written when missing.
    SetOutPath "$INSTDIR"
    SetOverwrite off
    File "${STAGE}\config.ini"
    File "${STAGE}\drives.inf"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"
    !insertmacro Installed "uninstall.exe"
    FileClose $9

    CreateDirectory "$SMPROGRAMS\${APP}"
    CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\Tabrix.exe"
    CreateShortcut "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tabrix.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The ${APP} developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same shortcut the Settings window's Ins button makes: the current user's Startup
; folder, the program as target, the program folder as working directory.
Section /o "Start with Windows" SecStartup
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMSTARTUP\${APP}.lnk" "$INSTDIR\Tabrix.exe"
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The program, its skins and player buttons, Start-menu entries."
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Starts Tabrix when you log on (Tabrix.lnk in your Startup folder)."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    ; Administrators install for everyone under Program Files; other users into their own
    ; profile, where they can write.
    StrCpy $AllUsers 0
    UserInfo::GetAccountType
    Pop $0
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/CURRENTUSER" $2
    ${IfNot} ${Errors}
        StrCpy $0 "User"
    ${EndIf}
    ${If} $0 == "Admin"
        StrCpy $AllUsers 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ; /D= wins; then the folder of an earlier install (an upgrade); then the default.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $INSTDIR == ""
        ${If} $AllUsers == 1
            StrCpy $INSTDIR "$PROGRAMFILES\${APP}"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${APP}"
        ${EndIf}
    ${EndIf}
    ; Keep the user's choice on an upgrade; the command line can ask for it too.
    SetShellVarContext current
    ${If} ${FileExists} "$SMSTARTUP\${APP}.lnk"
        !insertmacro SelectSection ${SecStartup}
    ${EndIf}
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/STARTUP" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecStartup}
    ${EndIf}
FunctionEnd

Section "un.Tabrix" UnSecProgram
    SectionIn RO
    Call un.CloseRunning
    ; Files and folders of every version installed here; a folder still holding the
    ; user's own files (an added skin, the settings) stays.
    ClearErrors
    FileOpen $9 "$INSTDIR\${LIST}" r
    ${IfNot} ${Errors}
        ${Do}
            ClearErrors
            FileRead $9 $0
            ${If} ${Errors}
                ${Break}
            ${EndIf}
            ${TrimNewLines} $0 $0
            ${If} $0 == ""
                ${Continue}
            ${EndIf}
            StrCpy $1 $0 1 -1
            ${If} $1 == "\"
                RMDir "$INSTDIR\$0"
            ${Else}
                Delete "$INSTDIR\$0"
            ${EndIf}
        ${Loop}
        FileClose $9
    ${EndIf}
    ; This version's own files, should the list be gone.
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$INSTDIR\${LIST}"

    Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
    Delete "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk"
    RMDir "$SMPROGRAMS\${APP}"
    SetShellVarContext current
    Delete "$SMSTARTUP\${APP}.lnk"
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

Section /o "un.Remove my settings" UnSecSettings
    Delete "$INSTDIR\config.ini"
    Delete "$INSTDIR\drives.inf"
    SetShellVarContext current
    Delete "$APPDATA\${APP}\config.ini"
    Delete "$APPDATA\${APP}\drives.inf"
    RMDir "$APPDATA\${APP}"
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
SectionEnd

Section "-un.Folder"
    RMDir "$INSTDIR"
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecProgram} "The program and the files the installer put here, its shortcuts and its entry in Add or Remove Programs."
    !insertmacro MUI_DESCRIPTION_TEXT ${UnSecSettings} "Also your config.ini and drives.inf, here and in your application-data folder."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END

Function un.onInit
    ; An install for everyone is the one recorded under HKLM for this folder.
    StrCpy $AllUsers 0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        StrCpy $AllUsers 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSecSettings}
    ${EndIf}
FunctionEnd
