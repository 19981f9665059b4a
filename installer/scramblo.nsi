; The Windows installer: Scramblo for the current user alone, without
; administrator rights, with both word lists, a Start-menu shortcut and an
; uninstaller, in English and Dutch. scripts/package builds it with VERSION
; (CMake's project version), STAGE (the folder of the files, which the
; portable zip holds too) and OUTFILE.
!ifndef VERSION | STAGE | OUTFILE
  !error "makensis -DVERSION=... -DSTAGE=... -DOUTFILE=... scramblo.nsi"
!endif

; The programs are 64-bit, and so must the installer be for Wine to run it.
Target amd64-unicode
SetCompressor /SOLID lzma

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scramblo"
!define SETTINGS_KEY "Software\Brevinck\Scramblo"
!define DUTCH_LIST "WoordenLijst.txt"
!define ENGLISH_LIST "EnglishWordList.txt"

Name "Scramblo"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Scramblo"
; An update goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Scramblo ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"

!define MUI_ICON "../ui/resources/scramblo.ico"
!define MUI_UNICON "../ui/resources/scramblo.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for users of any language but these two.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Dutch"

LangString WelcomeText ${LANG_ENGLISH} "This installs Scramblo ${VERSION}, an anagram finder, for you \
  alone: it needs no administrator rights.$\r$\n$\r$\nScramblo comes with an English and a Dutch \
  word list. It starts with the list of your Windows language; Options chooses another one.$\r$\n$\r$\n\
  $_CLICK"
LangString WelcomeText ${LANG_DUTCH} "Hiermee installeert u Scramblo ${VERSION}, een \
  anagrammenzoeker, alleen voor uzelf: daarvoor zijn geen beheerdersrechten nodig.$\r$\n$\r$\n\
  Scramblo heeft een Nederlandse en een Engelse woordenlijst bij zich. Het begint met de lijst van \
  uw Windows-taal; onder Opties kiest u een andere.$\r$\n$\r$\n$_CLICK"
LangString UninstallText ${LANG_ENGLISH} "Scramblo will be removed from the folder below. Your \
  settings are kept, for a later install."
LangString UninstallText ${LANG_DUTCH} "Scramblo wordt verwijderd uit de map hieronder. Uw \
  instellingen blijven bewaard, voor een latere installatie."
LangString ShortcutComment ${LANG_ENGLISH} "Find the anagrams of a phrase"
LangString ShortcutComment ${LANG_DUTCH} "Zoek de anagrammen van een zin"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Scramblo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Brevinck"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright Brevinck"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Scramblo Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

; Every file of ours, handed one by one to an action: installed, or removed.
!macro ScrambloFiles Action
  !insertmacro ${Action} "scramblo.exe"
  !insertmacro ${Action} "scramblo-cli.exe"
  !insertmacro ${Action} "${DUTCH_LIST}"
  !insertmacro ${Action} "WoordenLijst-commonness.txt"
  !insertmacro ${Action} "WoordenLijst-copyright.txt"
  !insertmacro ${Action} "${ENGLISH_LIST}"
  !insertmacro ${Action} "EnglishWordList-commonness.txt"
  !insertmacro ${Action} "EnglishWordList-copyright.txt"
  !insertmacro ${Action} "README.txt"
!macroend
!macro InstallFile Name
  File "${STAGE}/${Name}"
!macroend
!macro RemoveFile Name
  Delete "$INSTDIR\${Name}"
!macroend

Section
  ; The output folder is also the shortcut's working folder: the program reads
  ; WoordenLijst.txt from the current folder.
  SetOutPath "$INSTDIR"
  !insertmacro ScrambloFiles InstallFile
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Scramblo.lnk" "$INSTDIR\scramblo.exe" "" \
    "$INSTDIR\scramblo.exe" 0 SW_SHOWNORMAL "" "$(ShortcutComment)"
  Call StoreLexicon

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Scramblo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Brevinck"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scramblo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The lexicon that the program starts with: the list of the user's Windows
; language, unless another one is stored. Paths are stored whole, in Unicode.
Function StoreLexicon
  System::Call "kernel32::GetUserDefaultUILanguage() i .r0"
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x13 ; LANG_DUTCH, of the Netherlands and of Belgium alike
    StrCpy $1 "${DUTCH_LIST}"
  ${Else}
    StrCpy $1 "${ENGLISH_LIST}"
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" "WoordenLijst"
  ${If} ${Errors}
    ; None stored: the program's default is the Dutch list in the install folder.
    ${If} $1 != "${DUTCH_LIST}"
      WriteRegStr HKCU "${SETTINGS_KEY}" "WoordenLijst" "$INSTDIR\$1"
    ${EndIf}
    Return
  ${EndIf}
  ; A list that went with an earlier install folder would make the program
  ; fail at every start. The user's own list elsewhere stays, as do a bare file
  ; name (older installs stored one) and any path into this folder.
  System::Call "shlwapi::PathIsRelativeW(w r0) i .r2"
  ${GetParent} $0 $3
  ${If} $2 = 0
  ${AndIf} $3 != $INSTDIR
  ${AndIfNot} ${FileExists} $0
    WriteRegStr HKCU "${SETTINGS_KEY}" "WoordenLijst" "$INSTDIR\$1"
  ${EndIf}
FunctionEnd

; As the shortcut does: in the install folder.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\scramblo.exe"'
FunctionEnd

Section Uninstall
  !insertmacro ScrambloFiles RemoveFile
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files that the user put there stay.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Scramblo.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings key stays, as Windows programs keep their users' settings.
SectionEnd
