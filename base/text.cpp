/* The instance handle, the interface language and the localised-text lookup. */
#include "text.h"
#include "resource.h"

HINSTANCE AppInstance;
UINT      LanguageOffset = LANG_OFFSET_ENGLISH;

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

void LoadTextInto(UINT id, char *buffer, int size)
{
    buffer[0] = '\0';
    LoadStringA(AppInstance, id + LanguageOffset, buffer, size);
}

const char *LoadText(UINT id)
{
    LoadTextInto(id, TextBuffer, sizeof(TextBuffer));
    return TextBuffer;
}

int LanguageIndex(void)
{
    return LanguageOffset == 0 ? 0 : 1;
}
