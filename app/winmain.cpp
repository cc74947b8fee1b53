/* Entry point: language, setting, readme, machine facts, main dialog. */
#include "app.h"
#include "maindlg.h"
#include "machineinfo.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    int remembered;
    UINT templateId;

    AppInstance = instance;
    SelectLanguage();
    ShowInfoFile = GetPrivateProfileIntA(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, 1, SETTINGS_FILE);
    if (ShowInfoFile != 0)
        OpenReadme();

    if (!CollectMachineInfo(instance))
        return 0;

    remembered = ShowInfoFile;
    templateId = (MachineInfo.IsNtFamily ? IDD_MAIN_NT : IDD_MAIN_9X) + LanguageOffset;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), GetDesktopWindow(), MainDlgProc, 0);

    if (ShowInfoFile != remembered)
        WriteSettingInt(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, ShowInfoFile, SETTINGS_FILE);
    return 0;
}
