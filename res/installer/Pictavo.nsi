; The Pictavo installer: Pictavo.exe and its help page into Program Files, a Start-menu
; shortcut and an entry in Apps and Features. "/S" installs silently. The uninstaller
; removes all of that and offers to remove the settings and the file types Pictavo was set
; to open ("/S" keeps them; "/S /FORGET" removes them without asking).
; Built by the Windows build: makensis -DPV_VERSION=x.y -DPV_BIN=dir -DPV_ART=dir -DPV_OUT=file
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Pictavo"
!define PUBLISHER "Norel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pictavo"
!define SETTINGS_KEY "Software\Norel\Pictavo"
!define VIEW_VERB "View with Pictavo"

Name "${PRODUCT}"
OutFile "${PV_OUT}"
InstallDir "$PROGRAMFILES64\Pictavo"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${PV_VERSION}"

VIProductVersion "${PV_VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${PV_VERSION}"
VIAddVersionKey "ProductVersion" "${PV_VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${PV_ART}/pictavo.ico"
!define MUI_UNICON "${PV_ART}/pictavo.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PV_ART}/../installer/wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${PV_ART}/../installer/wizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${PV_ART}/../installer/header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${PV_ART}/../installer/header.bmp"
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${PV_VERSION}, a fast picture browser, on your computer.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pictavo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs the 64-bit edition of Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Section "${PRODUCT}"
    SetOutPath "$INSTDIR"
    File "${PV_BIN}/Pictavo.exe"
    File "${PV_BIN}/Pictavo.html"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Pictavo.exe" "" "$INSTDIR\Pictavo.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${PV_VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pictavo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; A type key is Pictavo's when it carries Pictavo's own verb; the extension key loses only
; what Pictavo added (its entry in OpenWithProgids, its default when it is Pictavo's type)
; and goes only when nothing else is left in it.
!macro ForgetTypeIn ROOT TYPE DOTTED
    ClearErrors
    ReadRegStr $0 ${ROOT} "Software\Classes\${TYPE}\Shell\${VIEW_VERB}\Command" ""
    ${IfNot} ${Errors}
        DeleteRegKey ${ROOT} "Software\Classes\${TYPE}"
        DeleteRegValue ${ROOT} "Software\Classes\${DOTTED}\OpenWithProgids" "${TYPE}"
        DeleteRegKey /ifempty /ifnovalues ${ROOT} "Software\Classes\${DOTTED}\OpenWithProgids"
        ReadRegStr $0 ${ROOT} "Software\Classes\${DOTTED}" ""
        ${If} $0 == "${TYPE}"
            DeleteRegValue ${ROOT} "Software\Classes\${DOTTED}" ""
        ${EndIf}
        DeleteRegKey /ifempty /ifnovalues ${ROOT} "Software\Classes\${DOTTED}"
    ${EndIf}
!macroend

!macro ForgetType TYPE DOTTED
    !insertmacro ForgetTypeIn HKCU ${TYPE} ${DOTTED}
    !insertmacro ForgetTypeIn HKLM ${TYPE} ${DOTTED}
!macroend

Function un.onInit
    SetRegView 64
FunctionEnd

Function un.Forget
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty /ifnovalues HKCU "Software\Norel"
    !insertmacro ForgetType JPG .jpg
    !insertmacro ForgetType JPEG .jpeg
    !insertmacro ForgetType JFIF .jfif
    !insertmacro ForgetType GIF .gif
    !insertmacro ForgetType BMP .bmp
    !insertmacro ForgetType DIB .dib
    !insertmacro ForgetType PSD .psd
    !insertmacro ForgetType PCX .pcx
    !insertmacro ForgetType TGA .tga
    !insertmacro ForgetType ICO .ico
    !insertmacro ForgetType CUR .cur
    !insertmacro ForgetType WMF .wmf
    !insertmacro ForgetType EMF .emf
    !insertmacro ForgetType MOV .mov
    !insertmacro ForgetType QT .qt
    !insertmacro ForgetType MID .mid
    !insertmacro ForgetType MIDI .midi
    !insertmacro ForgetType RMI .rmi
    !insertmacro ForgetType MPG .mpg
    !insertmacro ForgetType MPEG .mpeg
    !insertmacro ForgetType M1V .m1v
    !insertmacro ForgetType MP2 .mp2
    !insertmacro ForgetType MP3 .mp3
    !insertmacro ForgetType MPA .mpa
    !insertmacro ForgetType MPE .mpe
    !insertmacro ForgetType AVI .avi
    !insertmacro ForgetType ASF .asf
    !insertmacro ForgetType ASX .asx
    !insertmacro ForgetType WAV .wav
    !insertmacro ForgetType WMA .wma
    !insertmacro ForgetType WAX .wax
    !insertmacro ForgetType AU .au
    !insertmacro ForgetType M3U .m3u
    !insertmacro ForgetType SND .snd
    !insertmacro ForgetType RA .ra
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\Pictavo.exe"
    Delete "$INSTDIR\Pictavo.html"
    Delete "$INSTDIR\Uninstall.exe"
    ; Lists the user saved beside the program stay, and with them the folder.
    RMDir "$INSTDIR"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/FORGET" $2
    ${IfNot} ${Errors}
        Call un.Forget
    ${Else}
        MessageBox MB_YESNO|MB_ICONQUESTION "Also remove ${PRODUCT}'s settings and the file types it was set to open?" /SD IDNO IDNO keep
        Call un.Forget
        keep:
    ${EndIf}
SectionEnd
