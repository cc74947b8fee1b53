/* Process-wide facts of the application shell: instance, language, the one
   setting, and the localised-text lookup. */
#ifndef VURODOZ_APP_H
#define VURODOZ_APP_H

#include <windows.h>

#define APP_CAPTION             "VurOdoz"
#define SETTINGS_FILE           "tolvane.ini"
#define SETTINGS_SECTION        "VurOdoz"
#define SETTINGS_KEY_SHOW_INFO  "ShowInfoFile"
#define README_NAME             "\\readme.txt"
#define README_PATH_SIZE        264
#define TEXT_BUFFER_SIZE        512

extern HINSTANCE AppInstance;
extern UINT      LanguageOffset;
extern int       ShowInfoFile;

WORD        SelectLanguage(void);
const char *LoadText(UINT id);
int         LanguageIndex(void);
void        WriteSettingInt(const char *section, const char *key, int value, const char *file);

/* The readme's path in the current directory; 0 when it does not fit. */
int         BuildReadmePath(char *path);
void        OpenReadme(void);

#endif
