/* Entry point: language, setting, readme, machine facts, main dialog. */
#include "app.h"
#include "maindlg.h"
#include "machineinfo.h"
#include "resource.h"
#include "syslib.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    UINT templateId;

    /* Before anything else, so that the libraries are taken from the system
       directory before any code could need them. */
    BindSystemCalls();
    AppInstance = instance;
    SelectLanguage();
    ReadShowInfoSetting();
    if (ShowInfoFile != 0)
        OpenReadme();

    if (!CollectMachineInfo(instance))
        return 0;
    /* Without common controls neither dialog can be made. */
    if (!StartCommonControls())
        return 0;

    templateId = (MachineInfo.IsNtFamily ? IDD_MAIN_NT : IDD_MAIN_9X) + LanguageOffset;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), GetDesktopWindow(), MainDlgProc, 0);

    StoreShowInfoSetting();
    return 0;
}
