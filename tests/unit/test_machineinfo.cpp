// The machine texts: the processor count and the computer-and-memory field.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <windows.h>
#include "machineinfo.h"

namespace {

// Catches "Dual" for the wrong count, a missing blank after the number, an
// unterminated empty prefix, and counts above 9 cut to one digit.
TEST(MachineText, ProcessorCountPrefix)
{
    const struct { DWORD Count; const char *Prefix; } cases[] = {
        { 1, "" }, { 2, "Dual " }, { 3, "3 " }, { 4, "4 " }, { 16, "16 " }, { 32, "32 " },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Count);
        char out[16];
        memset(out, '#', sizeof out);
        FormatProcessorCountPrefix(out, c.Count);
        EXPECT_STREQ(c.Prefix, out);
    }
}

// Catches rounding up instead of down, a signed shift (2 GiB and more turn
// negative), dividing by 1,000,000, a lost blank or unit, and a full
// processor text cut short or overrunning the field.
TEST(MachineText, ComputerAndMemory)
{
    const struct { DWORD Bytes; const char *Text; } cases[] = {
        { 536281088u, "Dual Pentium III 933MHz 511MBytes" },
        { 536870912u, "Dual Pentium III 933MHz 512MBytes" },
        { 536870911u, "Dual Pentium III 933MHz 511MBytes" },
        { 0u, "Dual Pentium III 933MHz 0MBytes" },
        { 1048575u, "Dual Pentium III 933MHz 0MBytes" },
        { 0x80000000u, "Dual Pentium III 933MHz 2048MBytes" },
        { 0xFFFFFFFFu, "Dual Pentium III 933MHz 4095MBytes" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Bytes);
        char out[COMPUTER_MEMORY_TEXT_SIZE];
        FormatComputerAndMemory(out, "Dual Pentium III 933MHz", c.Bytes);
        EXPECT_STREQ(c.Text, out);
    }

    // The longest processor text the record holds still gets its memory.
    const std::string computer(sizeof MachineInfo.ComputerText - 1, 'c');
    char out[COMPUTER_MEMORY_TEXT_SIZE + 16];
    memset(out, '#', sizeof out);
    FormatComputerAndMemory(out, computer.c_str(), 0xFFFFFFFFu);
    EXPECT_EQ(computer + " 4095MBytes", std::string(out));
    for (size_t i = COMPUTER_MEMORY_TEXT_SIZE; i < sizeof out; ++i)
        ASSERT_EQ('#', out[i]) << "written past the field at " << i;
}

}  // namespace
