/* Process-wide facts of the application shell: the one setting and the readme. */
#ifndef VURODOZ_APP_H
#define VURODOZ_APP_H

#include <windows.h>
#include "text.h"

#define SETTINGS_FILE           "tolvane.ini"
#define SETTINGS_SECTION        "VurOdoz"
#define SETTINGS_KEY_SHOW_INFO  "ShowInfoFile"
#define README_NAME             "\\readme.txt"
#define README_PATH_SIZE        264

extern int       ShowInfoFile;

void        WriteSettingInt(const char *section, const char *key, int value, const char *file);
/* ShowInfoFile from the settings file, and back when it has changed since. */
void        ReadShowInfoSetting(void);
void        StoreShowInfoSetting(void);

/* The readme's path in the current directory; 0 when it does not fit. */
int         BuildReadmePath(char *path);
void        OpenReadme(void);

#endif
