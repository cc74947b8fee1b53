// CPUID's answers as any processor (or emulator) gives them, and any clock:
// the processor is named from the table, and the Computer text fits its field.
#include "cpu.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    ProcessorIdData id;
    DWORD mhz;
    char text[COMPUTER_TEXT_SIZE + 1];

    if (size != 1 + sizeof id.VendorWords + 2 * sizeof(DWORD) + sizeof mhz)
        return 0;
    id.Status = data[0] % 3;
    memcpy(id.VendorWords, data + 1, sizeof id.VendorWords);
    memcpy(&id.Signature, data + 13, 4);
    memcpy(&id.BrandWord, data + 17, 4);
    memcpy(&mhz, data + 21, 4);
    const char *name = ProcessorKindName(JudgeProcessor(&id));
    if (name == NULL || strlen(name) == 0)
        abort();
    text[COMPUTER_TEXT_SIZE] = '#';
    FormatComputerText(text, data[0] & 0x80 ? "Dual " : "", name, mhz);
    if (text[COMPUTER_TEXT_SIZE] != '#' || strlen(text) >= COMPUTER_TEXT_SIZE || strncmp(text, "Dual ", data[0] & 0x80 ? 5 : 0) != 0)
        abort();
    return 0;
}
