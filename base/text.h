/* The instance handle and the interface language every part loads its
   texts and dialogs through. */
#ifndef VURODOZ_TEXT_H
#define VURODOZ_TEXT_H

#include <windows.h>

#define APP_CAPTION             "VurOdoz"
#define TEXT_BUFFER_SIZE        512

extern HINSTANCE AppInstance;
extern UINT      LanguageOffset;

WORD        SelectLanguage(void);
const char *LoadText(UINT id);
/* A text longer than LoadText's buffer, such as the usage, into buffer. */
void        LoadTextInto(UINT id, char *buffer, int size);
int         LanguageIndex(void);

#endif
