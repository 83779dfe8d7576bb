; talmir.nsi: Talmir's Windows installer, talmir-VERSION-setup.exe.
;   makensis -DVERSION=1.0.0 -DSTAGE=FOLDER -DICON=talmir.ico -DOUTFILE=SETUP.EXE talmir.nsi
; FOLDER holds what the zip holds (talmir.exe, talmir.scr, LICENSE.txt, Tex,
; Sound). The installer puts them, for the user who runs it and without
; administrator rights, into %LOCALAPPDATA%\Programs\Talmir (or /D=FOLDER),
; adds the Start menu entry "Talmir" and the uninstaller under Apps, and,
; only when asked (its second component, or /SCREENSAVER on the command
; line), makes talmir.scr the user's screensaver. A newer version installs
; over an older one in the same folder under the same Apps entry. /S runs it
; without a window; the exit code is 0 once installed, 2 when it stopped.

Target amd64-unicode          ; 64-bit Windows only, as talmir.exe is
SetCompressor /SOLID lzma
SetDateSave off               ; no file dates stored: the same files give the same bytes
RequestExecutionLevel user    ; a per-user install: no elevation prompt
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh

!define PUBLISHER "The Talmir developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Talmir"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "Talmir"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Talmir"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"  ; an upgrade goes where the last install went
BrandingText "Talmir ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Talmir"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Talmir ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=0 "Comments" "Free software under the MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The pages carry Talmir's icon and no other picture (so no welcome or
; finish page, whose side picture would be NSIS's own): the licence, the
; choice of the screensaver, and the progress, which ends with Close.
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; CLOSE_TALMIR: asks every Talmir window to close, as Alt+F4 does (the
; interactive installer asks the user first), then waits until talmir.exe
; and talmir.scr in $INSTDIR can be written, which no running copy allows (a
; screensaver preview has no window of its own). Stops the installer, with
; nothing yet changed, when they stay in use.
!macro CLOSE_TALMIR un
Function ${un}CloseTalmir
  FindWindow $0 "OpenGL" "Talmir"
  ${If} $0 <> 0
  ${AndIfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION "Talmir is running. OK closes it and goes on; Cancel stops here." \
      /SD IDOK IDOK close
    SetErrorLevel 2
    Abort "Talmir is running."
  close:
  ${EndIf}
  ${For} $1 1 100
    FindWindow $0 "OpenGL" "Talmir"
    ${If} $0 <> 0
      SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    ${EndIf}
    StrCpy $2 0  ; the program files in use
    ${If} ${FileExists} "$INSTDIR\talmir.exe"
      ClearErrors
      FileOpen $3 "$INSTDIR\talmir.exe" a
      ${If} ${Errors}
        StrCpy $2 1
      ${Else}
        FileClose $3
      ${EndIf}
    ${EndIf}
    ${If} ${FileExists} "$INSTDIR\talmir.scr"
      ClearErrors
      FileOpen $3 "$INSTDIR\talmir.scr" a
      ${If} ${Errors}
        StrCpy $2 1
      ${Else}
        FileClose $3
      ${EndIf}
    ${EndIf}
    ${If} $0 = 0
    ${AndIf} $2 = 0
      Return
    ${EndIf}
    Sleep 100
  ${Next}
  MessageBox MB_OK|MB_ICONSTOP "Talmir is still running. Close it, then try again." /SD IDOK
  SetErrorLevel 2
  Abort "Talmir is still running."
FunctionEnd
!macroend
!insertmacro CLOSE_TALMIR ""
!insertmacro CLOSE_TALMIR "un."

Section "Talmir" SectionTalmir
  SectionIn RO
  Call CloseTalmir
  SetOutPath "$INSTDIR"
  ; An older version's data goes first, so that none of its files outlive it.
  RMDir /r "$INSTDIR\Tex"
  RMDir /r "$INSTDIR\Sound"
  File "${STAGE}/talmir.exe"
  File "${STAGE}/talmir.scr"
  File "${STAGE}/LICENSE.txt"
  File /r "${STAGE}/Tex"
  File /r "${STAGE}/Sound"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Talmir.lnk" "$INSTDIR\talmir.exe" "" "$INSTDIR\talmir.exe" 0 SW_SHOWNORMAL "" \
    "Fly over a landscape"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Talmir"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\talmir.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0  ; in KiB, as Apps reads it
SectionEnd

; The screensaver: a per-user install cannot add talmir.scr to the system
; folder the Screen Saver settings list, so, when asked, it becomes the
; user's screensaver (which the settings then list and preview). What it
; replaces is noted under the Apps entry for the uninstaller to put back.
Section /o "Use Talmir as the screensaver" SectionSaver
  GetFullPathName /SHORT $0 "$INSTDIR\talmir.scr"  ; no spaces in the command Windows runs
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${IfNot} ${Errors}
  ${AndIf} $1 != $0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
  ${EndIf}
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${If} ${Errors}
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive" ""  ; empty: there was none
  ${ElseIf} $1 != "1"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive" $1
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SCREENSAVER" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SectionSaver}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseTalmir
  ; The screensaver the user had before, if Talmir's is still the one chosen
  ; (read while talmir.scr is there to give its short path).
  GetFullPathName /SHORT $0 "$INSTDIR\talmir.scr"
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $1 == $0
  ${OrIf} $1 == "$INSTDIR\talmir.scr"
    ClearErrors
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $2
    ${EndIf}
    ClearErrors
    ReadRegStr $2 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${If} ${Errors}
    ${ElseIf} $2 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $2
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\talmir.exe"
  Delete "$INSTDIR\talmir.scr"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\Tex"
  RMDir /r "$INSTDIR\Sound"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"                   ; kept if the user put files of their own there
  ${If} $INSTDIR == "$LOCALAPPDATA\Programs\Talmir"
    RMDir "$LOCALAPPDATA\Programs"   ; kept unless empty
  ${EndIf}
  Delete "$SMPROGRAMS\Talmir.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
