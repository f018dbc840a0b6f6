; The Windows installer: Brannoch for the current user alone (no admin rights), a Start-menu
; shortcut, an entry in Settings > Apps and an uninstaller that removes exactly what was installed.
; cmake/windows.cmake runs makensis on it with these defines:
;   VERSION    the game's version, 1.2.3
;   STAGE      the folder the zip is packed from: brannoch.exe, the game's files and the texts
;   FILE_LIST  a list of `${GameFile} "NAME"` lines, one per file of STAGE, made from the same
;              CMake list as the zip
;   ICON, PUBLISHER, COPYRIGHT, OUTFILE
; Silent: `setup.exe /S [/D=FOLDER]` installs, `uninstall.exe /S` uninstalls.

Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer: the same files make the same installer whenever it is built.
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true
; A file that cannot be written stops the installation: no half-installed game.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannoch"
!define UNINSTALLER "uninstall.exe"

Name "Brannoch"
OutFile "${OUTFILE}"
; Per user, where Windows puts such programs; an earlier install's folder if there is one.
InstallDir "$LOCALAPPDATA\Programs\Brannoch"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brannoch ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Brannoch"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Brannoch Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The licence is permissive: the player reads them and goes on, nothing to accept.
!define MUI_PAGE_HEADER_SUBTEXT "The game's licence (MIT), its font's too."
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Brannoch is free software under this licence."
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The game reads its files from its working folder: the install folder, the last SetOutPath.
!define MUI_FINISHPAGE_RUN "$INSTDIR\brannoch.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files are not replaced or removed under a running game: the player closes it and retries.
; A silent run gives up (exit status 2). The game's window is SDL's, titled Brannoch.
!define RUNNING "Brannoch is running. Close the game, then choose Retry."
!macro WaitForGameClosed
  FindWindow $0 "SDL_app" "Brannoch"
  ${DoWhile} $0 <> 0
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${RUNNING}" /SD IDCANCEL IDCANCEL`
      Abort "Brannoch is running."
    ${EndIf}
    FindWindow $0 "SDL_app" "Brannoch"
  ${Loop}
!macroend

!macro InstallFile NAME
  File "${STAGE}/${NAME}"
!macroend

!macro DeleteFile NAME
  Delete "$INSTDIR\${NAME}"
!macroend

!macro DeleteFiles
  !define GameFile "!insertmacro DeleteFile"
  !include "${FILE_LIST}"
  !undef GameFile
!macroend

Var Writing  ; 1 once this installer has begun to write the game's files

Section "Brannoch" SecGame
  !insertmacro WaitForGameClosed
  ; An earlier version removes itself first, with its own list of files: one entry afterwards.
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} ${FileExists} "$1\${UNINSTALLER}"
    ExecWait '"$1\${UNINSTALLER}" /S _?=$1' $2
    ${If} $2 <> 0
      Abort "The installed Brannoch could not be removed."
    ${EndIf}
    Delete "$1\${UNINSTALLER}"
    RMDir "$1"
  ${EndIf}

  ClearErrors
  StrCpy $Writing 1
  SetOutPath "$INSTDIR"
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Cannot create the folder $INSTDIR." /SD IDOK
    Abort "Cannot create the folder $INSTDIR."
  ${EndIf}
  !define GameFile "!insertmacro InstallFile"
  !include "${FILE_LIST}"
  !undef GameFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\Brannoch.lnk" "$INSTDIR\brannoch.exe" "" "$INSTDIR\brannoch.exe" 0

  ; Registered last, once every file is in place.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brannoch"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brannoch.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  SectionGetSize ${SecGame} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A file that could not be written (a full disk, a folder the player may not write) stopped the
; installation: what it had written goes again, and nothing was registered.
Function .onInstFailed
  ${If} $Writing == 1
    !insertmacro DeleteFiles
    RMDir "$INSTDIR"
  ${EndIf}
FunctionEnd

; Only the files this version installed: anything else in the folder stays, and so does the folder.
Section "Uninstall"
  !insertmacro WaitForGameClosed
  !insertmacro DeleteFiles
  Delete "$SMPROGRAMS\Brannoch.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
