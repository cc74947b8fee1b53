// The soak run of scripts/soak: many HDD Tests and Overlay Tests in one
// process, with what the process holds printed at the start and the end.
#include "overlay.h"
#include "program.h"

#include <psapi.h>
#include <stdio.h>

using namespace e2e;

namespace {

struct Held { int handles, gdi, user; DWORD countApi; SIZE_T privateBytes, pagefile, workingSet, committed; };

// The private pages the program has committed, region by region of its
// address space. Wine's pagefile figure comes from the host process, and
// under an emulator that holds the emulator's own memory as well.
SIZE_T CommittedPrivate(HANDLE process)
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char *at = NULL; VirtualQueryEx(process, at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const char *next = (const char *)region.BaseAddress + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}

Held Measure(DWORD pid)
{
    Held held = {HandleCount(pid), -1, -1, 0, 0, 0, 0, 0};
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    held.committed = CommittedPrivate(process);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    GetProcessHandleCount(process, &held.countApi);
    held.gdi = (int)GetGuiResources(process, GR_GDIOBJECTS);
    held.user = (int)GetGuiResources(process, GR_USEROBJECTS);
    if (GetProcessMemoryInfo(process, (PROCESS_MEMORY_COUNTERS *)&memory, sizeof(memory)))
        held.privateBytes = memory.PrivateUsage, held.pagefile = memory.PagefileUsage,
        held.workingSet = memory.WorkingSetSize;
    CloseHandle(process);
    return held;
}

void Print(const char *when, const Held &h)
{
    printf("soak: %-6s handles %d (GetProcessHandleCount %lu)  GDI %d  USER %d  committed %lu KiB"
           "  (private %lu KiB  pagefile %lu KiB  working set %lu KiB)\n", when, h.handles, h.countApi,
           h.gdi, h.user, (unsigned long)(h.committed / 1024), (unsigned long)(h.privateBytes / 1024),
           (unsigned long)(h.pagefile / 1024), (unsigned long)(h.workingSet / 1024));
}

}  // namespace

TEST_F(Program, SoakManyTestsInOneProcess)
{
    if (Env(L"VURODOZ_SOAK").empty() || RigPath(L"").empty())
        GTEST_SKIP() << "run by scripts/soak";
    ASSERT_TRUE(PutFakeDdraw(dir_, ""));
    Options options;
    options.nativeDdraw = true;
    HWND dialog = StartToDialog(options);
    ASSERT_TRUE(dialog);
    ChooseDrive(dialog, L"G");
    PaceDrive(L"g", "write=200 read=400");    // as fast as the drive's process goes
    Held start = Measure(app_.Pid());
    Print("start", start);

    int disks = 0, overlays = 0;
    Held warm = start;
    for (int i = 0; i < 50; i++) {
        RunHddTest(app_, dialog, 5000);
        disks += IsRateText(ControlText(dialog, IDC_READ_RATE));
        if (i % 5 < 2)
            overlays += RunOverlayTest(app_, dialog, "YY").status == L"Overlay supported (S3 Type)";
        if (i == 0)
            warm = Measure(app_.Pid());
    }
    Held end = Measure(app_.Pid());
    Print("warm", warm);
    Print("end", end);
    printf("soak: %d of 50 HDD Tests and %d of 20 Overlay Tests gave a result\n", disks, overlays);
    EXPECT_EQ(50, disks);
    EXPECT_EQ(20, overlays);
    EXPECT_LE(end.handles, warm.handles) << "handles grew";
    EXPECT_LE(end.gdi, warm.gdi) << "GDI objects grew";
    EXPECT_LE(end.user, warm.user) << "USER objects grew";
    // Committed memory moves with the heap's own caching; a leak of a buffer
    // per test would add megabytes.
    EXPECT_LT(end.privateBytes, warm.privateBytes + 1024 * 1024) << "private bytes grew";
    EXPECT_LT(end.committed, warm.committed + 1024 * 1024) << "committed memory grew";
    CloseWithButton(dialog, IDOK);
}
