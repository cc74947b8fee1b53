// The chipset names.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include "chipset.h"

// A wrong format, letter case, vendor order or list walk shows in some row.
TEST(ChipSet, NamesTheEdgeCases)
{
    struct Case { WORD vendor, device; const char *want; } cases[] = {
        {0x8086, 0x7190, "Intel 82443BX"}, {0x8086, 0x71A0, "Intel 82433GX"},
        {0x8086, 0x1A30, "Intel i845"}, {0x8086, 0x2560, "Intel Unknown(Dev=2560)"},
        {0x1039, 0x5571, "SiS SiS5571"}, {0x1045, 0xC557, "Opti Opti Viper-M 82C557M"},
        {0x1022, 0x700E, "AMD AMD-761"}, {0x1106, 0x0691, "VIA Unknown(Dev=0691)"},
        {CHIPSET_VENDOR_TOLVANE, 0x00AB, "Tolvane Unknown(Dev=00ab)"},
        {0x10DE, 0x01A4, "Unknown(Ven=10de, Dev=01a4)"}, {0x0000, 0x0000, "Unknown(Ven=0000, Dev=0000)"},
    };
    for (const Case &c : cases) {
        char out[CHIPSET_TEXT_SIZE];
        memset(out, '#', sizeof(out));
        NameChipSet(c.vendor, c.device, out);
        EXPECT_STREQ(c.want, out);
    }
}
