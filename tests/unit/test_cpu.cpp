// Tests of processor naming, the computer text and, on the real processor,
// identification, the time-stamp counter and the clock measurement.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>

#include "cpu.h"

namespace {

// "Genu" "ineI" "ntel" and "Auth" "enti" "cAMD" as little-endian words.
const DWORD INTEL[3] = { 0x756E6547, 0x49656E69, 0x6C65746E };
const DWORD AMD[3] = { 0x68747541, 0x69746E65, 0x444D4163 };
const DWORD HALF_INTEL[3] = { 0x756E6547, 0x69746E65, 0x444D4163 };
const DWORD CYRIX[3] = { 0x72796143, 0x736E4978, 0x64616574 };   // "CyrixInstead"
const DWORD SWAPPED_INTEL[3] = { 0x756E6547, 0x6C65746E, 0x49656E69 };

struct JudgeCase {
    const char  *What;
    const DWORD *Vendor;
    DWORD        Brand;     // whole EBX of leaf 1
    DWORD        Family, Model;
    DWORD        Extra;     // other signature bits
    int          Kind;
};

const DWORD STEPPING = 0xF;
const DWORD TYPE_BITS = 0x3000;

// Catches a wrong row or boundary in the tables, the brand index not
// outranking family/model (or leaking into AMD), the brand index not masked
// to its low byte, the family/model fields taken from the wrong bits, and
// the extended-signature mask for family 15 being too wide or too narrow.
const JudgeCase JudgeCases[] = {
    { "intel brand 1 wins", INTEL, 1, 5, 1, 0, 114 },
    { "intel brand 2 over celeron", INTEL, 2, 6, 6, 0, 113 },
    { "intel brand 3", INTEL, 3, 6, 8, 0, 117 },
    { "intel brand 4", INTEL, 4, 4, 0, 0, 113 },
    { "intel brand 8 over family 15 model 2", INTEL, 8, 15, 2, 0, 116 },
    { "intel brand 14", INTEL, 14, 15, 1, 0, 118 },
    { "brand masked to low byte", INTEL, 0xABCDEF02, 4, 0, 0, 113 },
    { "brand high bits only", INTEL, 0xABCDEF00, 6, 6, 0, 114 },
    { "brand 5 falls through", INTEL, 5, 6, 6, 0, 114 },
    { "brand 7 falls through", INTEL, 7, 6, 7, 0, 113 },
    { "brand 9 falls through", INTEL, 9, 5, 4, 0, 110 },
    { "brand 13 falls through", INTEL, 13, 4, 8, 0, 106 },
    { "brand 15 falls through", INTEL, 15, 15, 0, 0, 116 },
    { "brand 255 falls through", INTEL, 255, 6, 1, 0, 111 },

    { "486 model 0", INTEL, 0, 4, 0, 0, 102 },
    { "486 model 1", INTEL, 0, 4, 1, STEPPING, 102 },
    { "486 model 2", INTEL, 0, 4, 2, 0, 103 },
    { "486 model 3", INTEL, 0, 4, 3, 0, 104 },
    { "486 model 4", INTEL, 0, 4, 4, 0, 107 },
    { "486 model 5", INTEL, 0, 4, 5, 0, 108 },
    { "486 model 6", INTEL, 0, 4, 6, 0, 101 },
    { "486 model 7", INTEL, 0, 4, 7, 0, 105 },
    { "486 model 8", INTEL, 0, 4, 8, 0, 106 },
    { "486 model 9", INTEL, 0, 4, 9, 0, 101 },
    { "486 model 15", INTEL, 0, 4, 15, 0, 101 },
    { "pentium model 0", INTEL, 0, 5, 0, 0, 101 },
    { "pentium model 1", INTEL, 0, 5, 1, 0, 109 },
    { "pentium model 2", INTEL, 0, 5, 2, TYPE_BITS, 109 },
    { "pentium model 3", INTEL, 0, 5, 3, 0, 109 },
    { "pentium model 4", INTEL, 0, 5, 4, 0, 110 },
    { "pentium model 5", INTEL, 0, 5, 5, 0, 101 },
    { "pentium model 7", INTEL, 0, 5, 7, 0, 101 },
    { "pentium model 8", INTEL, 0, 5, 8, STEPPING, 110 },
    { "pentium model 9", INTEL, 0, 5, 9, 0, 101 },
    { "p6 model 0", INTEL, 0, 6, 0, 0, 101 },
    { "p6 model 1", INTEL, 0, 6, 1, 0, 111 },
    { "p6 model 2", INTEL, 0, 6, 2, 0, 101 },
    { "p6 model 3", INTEL, 0, 6, 3, 0, 112 },
    { "p6 model 4", INTEL, 0, 6, 4, 0, 101 },
    { "p6 model 5", INTEL, 0, 6, 5, 0, 112 },
    { "p6 model 6", INTEL, 0, 6, 6, 0, 114 },
    { "p6 model 7", INTEL, 0, 6, 7, 0, 113 },
    { "p6 model 8", INTEL, 0, 6, 8, STEPPING, 113 },
    { "p6 model 9", INTEL, 0, 6, 9, 0, 101 },
    { "p6 model 15", INTEL, 0, 6, 15, 0, 101 },
    { "family 15 model 0", INTEL, 0, 15, 0, STEPPING, 116 },
    { "family 15 model 1", INTEL, 0, 15, 1, 0, 101 },
    { "family 15 model 2 no brand", INTEL, 0, 15, 2, 0, 101 },
    { "family 15 bit 19", INTEL, 0, 15, 0, 1u << 19, 101 },
    { "family 15 bit 20", INTEL, 0, 15, 0, 1u << 20, 101 },
    { "family 15 bit 26", INTEL, 0, 15, 0, 1u << 26, 101 },
    { "family 15 bits 16-18 not tested", INTEL, 0, 15, 0, 7u << 16, 116 },
    { "family 15 bit 27 not tested", INTEL, 0, 15, 0, 1u << 27, 116 },
    { "family 0", INTEL, 0, 0, 0, 0, 101 },
    { "family 3", INTEL, 0, 3, 0, 0, 101 },
    { "family 7", INTEL, 0, 7, 1, 0, 101 },
    { "family 14", INTEL, 0, 14, 6, 0, 101 },
    { "extended family bits leave family 6 alone", INTEL, 0, 6, 8, 0x0FF00000, 113 },

    { "am486", AMD, 0, 4, 0, 0, 202 },
    { "am486 model 15", AMD, 0, 4, 15, 0, 202 },
    { "k5 model 0", AMD, 0, 5, 0, 0, 203 },
    { "k5 model 3", AMD, 0, 5, 3, 0, 203 },
    { "k6 model 4", AMD, 0, 5, 4, 0, 204 },
    { "k6 model 7", AMD, 0, 5, 7, 0, 204 },
    { "k6 2", AMD, 0, 5, 8, 0, 205 },
    { "k6 3 model 9", AMD, 0, 5, 9, 0, 206 },
    { "k6 3 model 15", AMD, 0, 5, 15, STEPPING, 206 },
    { "duron", AMD, 0, 6, 3, 0, 208 },
    { "athlon model 4", AMD, 0, 6, 4, 0, 207 },
    { "athlon model 0", AMD, 0, 6, 0, 0, 207 },
    { "athlon model 15", AMD, 0, 6, 15, 0, 207 },
    { "amd brand index ignored", AMD, 2, 6, 6, 0, 207 },
    { "amd family 15", AMD, 0, 15, 0, 0, 201 },
    { "amd family 3", AMD, 0, 3, 0, 0, 201 },
    { "amd family 7", AMD, 0, 7, 0, 0, 201 },

    { "first word intel only", HALF_INTEL, 2, 6, 8, 0, 1 },
    { "intel words out of order", SWAPPED_INTEL, 2, 6, 8, 0, 1 },
    { "other vendor", CYRIX, 0, 5, 2, 0, 1 },
};

ProcessorIdData MakeId(const JudgeCase &c)
{
    ProcessorIdData id;
    memset(&id, 0, sizeof id);
    id.Status = CPUID_STATUS_READ;
    memcpy(id.VendorWords, c.Vendor, sizeof id.VendorWords);
    id.Signature = (c.Family << 8) | (c.Model << 4) | c.Extra;
    id.BrandWord = c.Brand;
    return id;
}

}  // namespace

TEST(Processor, JudgedFromRegisters)
{
    for (const JudgeCase &c : JudgeCases) {
        SCOPED_TRACE(c.What);
        ProcessorIdData id = MakeId(c);
        EXPECT_EQ(c.Kind, JudgeProcessor(&id));
    }
}

// Catches judging stale register words when the instruction was missing.
TEST(Processor, NoInstructionIsKindZero)
{
    ProcessorIdData id;
    memset(&id, 0, sizeof id);
    memcpy(id.VendorWords, INTEL, sizeof id.VendorWords);
    id.Signature = 0x686;
    id.Status = CPUID_STATUS_MISSING;
    EXPECT_EQ(0, JudgeProcessor(&id));
    id.Status = CPUID_STATUS_UNREAD;
    EXPECT_EQ(0, JudgeProcessor(&id));
}

// Catches a missing, misspelt or shifted name, and a gap in the table
// (108, 115) being given a neighbour's name.
TEST(Processor, KindNames)
{
    struct { int Kind; const char *Name; } names[] = {
        { 101, "INTEL CPU - Unknown" }, { 102, "i486DX" }, { 103, "i486SX" },
        { 104, "i486DX2" }, { 105, "i486DX2E" }, { 106, "i486DX4" }, { 107, "i486SL" },
        { 109, "Pentium" }, { 110, "Pentium with MMX" }, { 111, "PentiumPRO" },
        { 112, "Pentium II" }, { 113, "Pentium III" }, { 114, "Celeron" },
        { 116, "Pentium 4" }, { 117, "Pentium III Xeon" }, { 118, "Pentium Xeon" },
        { 201, "AMD CPU - Unknown" }, { 202, "Am486" }, { 203, "AMD K5" },
        { 204, "AMD K6" }, { 205, "AMD K6 2" }, { 206, "AMD K6 3" },
        { 207, "ATHLON" }, { 208, "DURON" },
        { 0, "Unknown CPU" }, { 1, "Unknown CPU" }, { 108, "Unknown CPU" },
        { 115, "Unknown CPU" }, { 119, "Unknown CPU" }, { 200, "Unknown CPU" },
        { 209, "Unknown CPU" }, { 100, "Unknown CPU" }, { -1, "Unknown CPU" },
    };
    for (const auto &n : names) {
        SCOPED_TRACE(n.Kind);
        EXPECT_STREQ(n.Name, ProcessorKindName(n.Kind));
    }
}

// Catches a wrong threshold between the four forms, lost zero padding of the
// fraction, a separator added after the prefix, and overrunning 128 bytes.
TEST(ComputerText, FourForms)
{
    struct { const char *Prefix; const char *Name; DWORD Mhz; const char *Text; } cases[] = {
        { "", "i486DX2", 0, "i486DX2 ?MHz" },
        { "Dual ", "i486DX2", 0, "Dual i486DX2 ?MHz" },
        { "", "Pentium III", 933, "Pentium III 933MHz" },
        { "Dual ", "Pentium III", 933, "Dual Pentium III 933MHz" },
        { "", "Celeron", 1, "Celeron 1MHz" },
        { "", "Celeron", 999, "Celeron 999MHz" },
        { "Dual ", "Celeron", 999, "Dual Celeron 999MHz" },
        { "", "Pentium III", 1000, "Pentium III 1GHz" },
        { "Dual ", "Pentium III", 1000, "Dual Pentium III 1GHz" },
        { "", "Pentium III", 1004, "Pentium III 1.004GHz" },
        { "Dual ", "Pentium III", 1004, "Dual Pentium III 1.004GHz" },
        { "", "Pentium 4", 1700, "Pentium 4 1.700GHz" },
        { "Dual ", "Pentium 4", 1700, "Dual Pentium 4 1.700GHz" },
        { "", "Pentium 4", 2000, "Pentium 4 2GHz" },
        { "Dual ", "Pentium 4", 2000, "Dual Pentium 4 2GHz" },
        { "4 ", "ATHLON", 2050, "4 ATHLON 2.050GHz" },
        { "", "ATHLON", 4294967295u, "ATHLON 4294967.295GHz" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Text);
        char out[COMPUTER_TEXT_SIZE];
        memset(out, '#', sizeof out);
        FormatComputerText(out, c.Prefix, c.Name, c.Mhz);
        EXPECT_STREQ(c.Text, out);
    }

    char longName[300];
    memset(longName, 'n', sizeof longName - 1);
    longName[sizeof longName - 1] = '\0';
    char out[COMPUTER_TEXT_SIZE + 16];
    memset(out, '#', sizeof out);
    FormatComputerText(out, "Dual ", longName, 1004);
    EXPECT_EQ((size_t)COMPUTER_TEXT_SIZE - 1, strlen(out));
    for (size_t i = COMPUTER_TEXT_SIZE; i < sizeof out; ++i)
        EXPECT_EQ('#', out[i]);
}

// The real processor under Wine. Catches a guard that reports a fault for an
// instruction that ran, vendor words stored in the wrong register order, and
// IdentifyProcessor not using the cache ReadProcessorId filled.
TEST(ProcessorReal, IdentificationReads)
{
    ASSERT_EQ(CPUID_STATUS_READ, ReadProcessorId());
    const ProcessorIdData *id = CachedProcessorId();
    EXPECT_EQ(CPUID_STATUS_READ, id->Status);
    char vendor[13];
    memcpy(vendor, id->VendorWords, 12);
    vendor[12] = '\0';
    const char *known[] = { "GenuineIntel", "AuthenticAMD", "HygonGenuine", "CentaurHauls",
                            "  Shanghai  ", "GenuineTMx86", "VIA VIA VIA " };
    bool isKnown = false;
    for (const char *k : known)
        isKnown = isKnown || strcmp(k, vendor) == 0;
    EXPECT_TRUE(isKnown) << vendor;
    EXPECT_NE(0u, id->Signature);

    int kind = IdentifyProcessor();
    EXPECT_EQ(JudgeProcessor(id), kind);
    EXPECT_EQ(kind, IdentifyProcessor());
    EXPECT_NE(0, kind);
}

// Catches a guard that loses the RDTSC result or reports a fault for it.
TEST(ProcessorReal, TimeStampCounterAdvances)
{
    unsigned long long a = ReadTimeStampCounter();
    Sleep(5);
    unsigned long long b = ReadTimeStampCounter();
    EXPECT_NE(0ull, a);
    EXPECT_GT(b, a);
    // 5 ms of any processor above 10 MHz.
    EXPECT_GT(b - a, 50000ull);
}

// Catches a wrong interval or divisor (a clock off by a factor from the
// counter's rate over the performance counter's time) and a priority left
// at time-critical, or reset to normal instead of restored. How long the
// measurement took has no upper bound: a busy machine stretches it, and an
// interval too long shows in the rate.
TEST(ProcessorReal, ClockIsPlausibleAndPriorityRestored)
{
    HANDLE thread = GetCurrentThread();
    ASSERT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL));
    DWORD start = GetTickCount();
    DWORD mhz = MeasureProcessorClock();
    DWORD took = GetTickCount() - start;
    int after = GetThreadPriority(thread);
    SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);

    LARGE_INTEGER frequency, q0, q1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&q0);
    unsigned long long t0 = ReadTimeStampCounter();
    Sleep(500);
    unsigned long long t1 = ReadTimeStampCounter();
    QueryPerformanceCounter(&q1);
    double rate = (double)(t1 - t0) * frequency.QuadPart / (double)(q1.QuadPart - q0.QuadPart) / 1e6;

    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, after);
    EXPECT_NEAR(rate, (double)mhz, rate * 0.05);
    EXPECT_GE(took, 990u);
}
