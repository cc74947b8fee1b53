/* Processor identification by CPUID and clock measurement by the time-stamp counter. */
#ifndef VURODOZ_CPU_H
#define VURODOZ_CPU_H

#include <windows.h>

#define CPUID_STATUS_UNREAD    0
#define CPUID_STATUS_MISSING   1
#define CPUID_STATUS_READ      2

/* ProcessorKind: what the name table knows the processor as. */
#define CPU_KIND_NONE             0     /* no CPUID instruction */
#define CPU_KIND_OTHER_VENDOR     1
#define CPU_KIND_INTEL_UNKNOWN    101
#define CPU_KIND_I486DX           102
#define CPU_KIND_I486SX           103
#define CPU_KIND_I486DX2          104
#define CPU_KIND_I486DX2E         105
#define CPU_KIND_I486DX4          106
#define CPU_KIND_I486SL           107
#define CPU_KIND_I486_NAMELESS    108   /* family 4 model 5: has no name */
#define CPU_KIND_PENTIUM          109
#define CPU_KIND_PENTIUM_MMX      110
#define CPU_KIND_PENTIUM_PRO      111
#define CPU_KIND_PENTIUM_II       112
#define CPU_KIND_PENTIUM_III      113
#define CPU_KIND_CELERON          114
#define CPU_KIND_PENTIUM_4        116
#define CPU_KIND_PENTIUM_III_XEON 117
#define CPU_KIND_PENTIUM_XEON     118
#define CPU_KIND_AMD_UNKNOWN      201
#define CPU_KIND_AM486            202
#define CPU_KIND_AMD_K5           203
#define CPU_KIND_AMD_K6           204
#define CPU_KIND_AMD_K6_2         205
#define CPU_KIND_AMD_K6_3         206
#define CPU_KIND_ATHLON           207
#define CPU_KIND_DURON            208

#define COMPUTER_TEXT_SIZE        128

struct ProcessorIdData {
    int   Status;
    DWORD VendorWords[3];   /* EBX, EDX, ECX of leaf 0 */
    DWORD Signature;        /* EAX of leaf 1 */
    DWORD BrandWord;        /* EBX of leaf 1 */
};

/* Judges the kind from read identification data alone. */
int         JudgeProcessor(const ProcessorIdData *id);

/* Executes CPUID into the cached record; returns its new status. */
int         ReadProcessorId(void);
const ProcessorIdData *CachedProcessorId(void);
int         IdentifyProcessor(void);
const char *ProcessorKindName(int kind);
DWORD       MeasureProcessorClock(void);
unsigned long long ReadTimeStampCounter(void);

/* prefix + name + clock, into COMPUTER_TEXT_SIZE bytes. */
void        FormatComputerText(char *out, const char *prefix, const char *name, DWORD mhz);

#endif
