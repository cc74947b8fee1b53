/* Interface language, localised texts, the settings file and the readme. */
#include "app.h"
#include "resource.h"

#include <shellapi.h>

HINSTANCE AppInstance;
UINT      LanguageOffset = LANG_OFFSET_ENGLISH;
int       ShowInfoFile = 1;

static char TextBuffer[TEXT_BUFFER_SIZE];

WORD SelectLanguage(void)
{
    WORD primary;

    LanguageOffset = LANG_OFFSET_ENGLISH;
    primary = GetSystemDefaultLangID() & 0x3FF;
    if (primary == LANG_JAPANESE)
        LanguageOffset = 0;
    return primary;
}

const char *LoadText(UINT id)
{
    TextBuffer[0] = '\0';
    LoadStringA(AppInstance, id + LanguageOffset, TextBuffer, sizeof(TextBuffer));
    return TextBuffer;
}

int LanguageIndex(void)
{
    return LanguageOffset == 0 ? 0 : 1;
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
        result = ShellExecuteA(NULL, NULL, path, NULL, NULL, SW_SHOW);
    if ((INT_PTR)result <= 32)
        MessageBoxA(NULL, LoadText(IDS_NO_README), APP_CAPTION, MB_OK);
}
