; Corvane setup: installs the joiner, its updater, the media tool and the
; language packs (and skins, when there are any) into the program folder,
; with Start-menu entries and an uninstaller. Both directions first close a
; running joiner through the Quenby plug-in, so that no file is in use.
;
; Defined by the build (BuildInstaller.cmake):
;   TARGET      amd64-unicode (64-bit Unicode) or x86-ansi (32-bit classic)
;   PLUGIN_DIR  the folder holding the matching Quenby.dll
;   FILES_NSH   the generated CorvaneInstallFiles / CorvaneUninstallFiles macros
;   OUT_FILE    the installer to write
;   VERSION     the program's version, four numbers

Target ${TARGET}
!addplugindir /${TARGET} "${PLUGIN_DIR}"
!include "${FILES_NSH}"

!define PRODUCT "Corvane"
!define COMPANY "Tavrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${COMPANY} ${PRODUCT}"
!define START_MENU "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
OutFile "${OUT_FILE}"
; zlib: a few seconds to build in CI where LZMA takes half a minute.
SetCompressor zlib
RequestExecutionLevel admin
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show

!if "${TARGET}" == "amd64-unicode"
  InstallDir "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${COMPANY}\${PRODUCT}"
!endif
; A new version goes where the last one went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${COMPANY}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  ; The joiner answers "UWM_JoinDownload_IsMe": close it (and wait until it
  ; has let go of its files) before anything is replaced.
  DetailPrint "Closing a running ${PRODUCT}..."
  Quenby::CloseApp "Join"

  SetOverwrite on
  !insertmacro CorvaneInstallFiles

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${START_MENU}"
  CreateShortcut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\Corvane.exe"
  CreateShortcut "${START_MENU}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Corvane.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  DetailPrint "Closing a running ${PRODUCT}..."
  Quenby::CloseApp "Join"

  ; Only what setup put there: settings live in the registry and the
  ; user's own folder, and anything else in the program folder stays.
  !insertmacro CorvaneUninstallFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${START_MENU}\${PRODUCT}.lnk"
  Delete "${START_MENU}\Uninstall ${PRODUCT}.lnk"
  RMDir "${START_MENU}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
