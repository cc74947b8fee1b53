/* Reads the processor's CPUID answers and measures its clock with the
   time-stamp counter against the multimedia timer. */
#include <windows.h>

#include "cpu.h"
#include "guard.h"
#include "syslib.h"

static ProcessorIdData ProcessorId;

struct CpuidRegisters {
    DWORD Leaf;
    DWORD Eax, Ebx, Ecx, Edx;
};

static void CpuidProbe(void *arg)
{
    CpuidRegisters *r = (CpuidRegisters *)arg;
    __asm__ __volatile__("cpuid"
                         : "=a"(r->Eax), "=b"(r->Ebx), "=c"(r->Ecx), "=d"(r->Edx)
                         : "a"(r->Leaf), "c"(0));
}

/* A processor without CPUID faults on it; the guard turns that into 0. */
static int RunCpuid(DWORD leaf, CpuidRegisters *r)
{
    ZeroMemory(r, sizeof *r);
    r->Leaf = leaf;
    return RunGuarded(CpuidProbe, r);
}

int ReadProcessorId(void)
{
    ProcessorIdData id;
    CpuidRegisters r;
    DWORD highest;

    ZeroMemory(&id, sizeof id);
    id.Status = CPUID_STATUS_MISSING;
    if (RunCpuid(0, &r)) {
        id.VendorWords[0] = r.Ebx;
        id.VendorWords[1] = r.Edx;
        id.VendorWords[2] = r.Ecx;
        highest = r.Eax;
        if (highest == 0) {
            id.Status = CPUID_STATUS_READ;
        } else if (RunCpuid(1, &r)) {
            id.Signature = r.Eax;
            id.BrandWord = r.Ebx;
            id.Status = CPUID_STATUS_READ;
        }
    }
    ProcessorId = id;
    return id.Status;
}

const ProcessorIdData *CachedProcessorId(void)
{
    return &ProcessorId;
}

int IdentifyProcessor(void)
{
    if (ProcessorId.Status == CPUID_STATUS_UNREAD)
        ReadProcessorId();
    return JudgeProcessor(&ProcessorId);
}

static void TimeStampProbe(void *arg)
{
    unsigned long long *out = (unsigned long long *)arg;
    unsigned long long value;
    __asm__ __volatile__("rdtsc" : "=A"(value));
    *out = value;
}

unsigned long long ReadTimeStampCounter(void)
{
    unsigned long long value = 0;
    if (!RunGuarded(TimeStampProbe, &value))
        return 0;
    return value;
}

DWORD MeasureProcessorClock(void)
{
    HANDLE thread = GetCurrentThread();
    int priority = GetThreadPriority(thread);
    SetThreadPriority(thread, THREAD_PRIORITY_TIME_CRITICAL);

    /* Start counting on a timer edge so the interval is whole ticks. */
    DWORD t0 = NowMs();
    while (NowMs() == t0) {
    }
    unsigned long long c0 = ReadTimeStampCounter();
    while ((DWORD)(NowMs() - t0) <= 1001) {
    }
    unsigned long long c1 = ReadTimeStampCounter();

    SetThreadPriority(thread, priority);

    /* A counter that faulted reads 0 both times; one that ran backwards
       (counters of different processors apart) has no clock to tell either,
       where the plain division would wrap to billions of MHz. */
    long long ticks = (long long)(c1 - c0);
    if (ticks <= 0)
        return 0;
    return (DWORD)(ticks / 1000000);
}
