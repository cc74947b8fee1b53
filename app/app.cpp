/* The settings file and the readme. */
#include "app.h"
#include "resource.h"

#include "syslib.h"

int       ShowInfoFile = 1;
static int ShowInfoFileStored = 1;

void ReadShowInfoSetting(void)
{
    ShowInfoFile = GetPrivateProfileIntA(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, 1, SETTINGS_FILE);
    ShowInfoFileStored = ShowInfoFile;
}

/* Only a change is written, so the settings file is made only by one. */
void StoreShowInfoSetting(void)
{
    if (ShowInfoFile == ShowInfoFileStored)
        return;
    WriteSettingInt(SETTINGS_SECTION, SETTINGS_KEY_SHOW_INFO, ShowInfoFile, SETTINGS_FILE);
    ShowInfoFileStored = ShowInfoFile;
}

void WriteSettingInt(const char *section, const char *key, int value, const char *file)
{
    char text[16];

    wsprintfA(text, "%d", value);
    WritePrivateProfileStringA(section, key, text, file);
}

int BuildReadmePath(char *path)
{
    DWORD length;

    path[0] = '\0';
    /* A directory longer than the buffer comes back as the size it would
       need, with nothing usable in the buffer. */
    length = GetCurrentDirectoryA(261, path);
    if (length == 0 || length >= 261) {
        path[0] = '\0';
        return 0;
    }
    if (length + lstrlenA(README_NAME) >= README_PATH_SIZE) {
        path[0] = '\0';
        return 0;
    }
    lstrcatA(path, README_NAME);
    return 1;
}

void OpenReadme(void)
{
    char path[README_PATH_SIZE];
    HINSTANCE result = 0;

    if (BuildReadmePath(path))
        result = OpenWithShell(path);
    if ((INT_PTR)result <= 32)
        MessageBoxA(NULL, LoadText(IDS_NO_README), APP_CAPTION, MB_OK);
}
