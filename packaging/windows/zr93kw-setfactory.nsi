; The station's installer for 64-bit Windows: the package's folder into
; Program Files, a Start-menu entry, and an uninstaller in Apps & features.
; scripts/windows runs: makensis -DVERSION=... -DSOURCE_DIR=... -DOUTFILE=... this file
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "ZR93KW SetFactory"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\zr93kw-setfactory"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\zr93kw-setfactory"
RequestExecutionLevel admin

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; For every user of the PC: the station is the plant's, not one operator's.
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zr93kw-setfactory.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zr93kw-setfactory.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The operators' settings, backups and station log stay in their own
; application data.
Section Uninstall
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
