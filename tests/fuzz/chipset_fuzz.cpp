// The host bridge's vendor and device ids as the bridge gives them: every
// pair is named within the field.
#include "chipset.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    char text[CHIPSET_TEXT_SIZE + 1];

    if (size != 4)
        return 0;
    text[CHIPSET_TEXT_SIZE] = '#';
    NameChipSet((WORD)(data[0] | data[1] << 8), (WORD)(data[2] | data[3] << 8), text);
    if (text[CHIPSET_TEXT_SIZE] != '#' || strlen(text) < 3 || strlen(text) >= CHIPSET_TEXT_SIZE)
        abort();
    return 0;
}
