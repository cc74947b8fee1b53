// Tests of the exception guard with real processor faults.
#include <gtest/gtest.h>

#include <windows.h>

#include "guard.h"

extern "C" {
// Clobbers every callee-saved register, ebp included, then faults.
void ClobberThenFault(void *arg);
// Fills the callee-saved registers with markers, runs RunGuarded(probe, 0)
// and reports: [0] result, [1] ebx, [2] esi, [3] edi, [4] esp offset from
// ebp after the call (-12 when the stack came back balanced).
void RunGuardedWithMarkers(GuardedProbe probe, DWORD *out);
}

__asm__(
    ".text\n"
    ".globl _ClobberThenFault\n"
    "_ClobberThenFault:\n"
    "    movl $0xBADBAD01, %ebx\n"
    "    movl $0xBADBAD02, %esi\n"
    "    movl $0xBADBAD03, %edi\n"
    "    movl $0xBADBAD04, %ebp\n"
    "    subl $256, %esp\n"
    "    ud2\n"
    ".globl _RunGuardedWithMarkers\n"
    "_RunGuardedWithMarkers:\n"
    "    pushl %ebp\n"
    "    movl  %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl  $0x11111111, %ebx\n"
    "    movl  $0x22222222, %esi\n"
    "    movl  $0x33333333, %edi\n"
    "    pushl $0\n"
    "    pushl 8(%ebp)\n"
    "    call  _RunGuarded\n"
    "    addl  $8, %esp\n"
    "    movl  12(%ebp), %ecx\n"
    "    movl  %eax, 0(%ecx)\n"
    "    movl  %ebx, 4(%ecx)\n"
    "    movl  %esi, 8(%ecx)\n"
    "    movl  %edi, 12(%ecx)\n"
    "    movl  %esp, %eax\n"
    "    subl  %ebp, %eax\n"
    "    movl  %eax, 16(%ecx)\n"
    "    popl  %edi\n"
    "    popl  %esi\n"
    "    popl  %ebx\n"
    "    popl  %ebp\n"
    "    ret\n");

namespace {

DWORD ChainHead()
{
    DWORD head;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void IllegalInstruction(void *) { __asm__ __volatile__("ud2"); }

void NullWrite(void *)
{
    volatile DWORD *volatile target = 0;
    __asm__ __volatile__("movl $1, (%0)" : : "r"(target) : "memory");
}

void DivideByZero(void *)
{
    __asm__ __volatile__("xorl %%ecx, %%ecx\n\tmovl $1, %%eax\n\txorl %%edx, %%edx\n\tdivl %%ecx"
                         : : : "eax", "ecx", "edx");
}

void Breakpoint(void *) { __asm__ __volatile__("int3"); }

void Privileged(void *) { __asm__ __volatile__("hlt"); }

void RecurseThenFault(void *arg)
{
    volatile char pad[512];
    pad[0] = 1;
    int depth = *(int *)arg;
    if (depth > 0) {
        --*(int *)arg;
        RecurseThenFault(arg);
    }
    NullWrite(0);
    (void)pad[0];
}

void SetFlag(void *arg) { *(int *)arg = 1234; }

EXCEPTION_DISPOSITION __cdecl PassItOn(EXCEPTION_RECORD *, void *, CONTEXT *, void *)
{
    return ExceptionContinueSearch;
}

// Links a record of its own that declines, and faults with it still linked.
void FaultUnderForeignRecord(void *)
{
    struct { void *Previous; void *Handler; } record;
    record.Handler = (void *)PassItOn;
    __asm__ __volatile__("movl %%fs:0, %%eax\n\tmovl %%eax, (%0)\n\tmovl %0, %%fs:0"
                         : : "r"(&record) : "eax", "memory");
    NullWrite(0);
}

struct NestedResult {
    int Inner;
    int After;
};

void NestedFault(void *arg)
{
    NestedResult *r = (NestedResult *)arg;
    r->Inner = RunGuarded(IllegalInstruction, 0);
    r->After = 1;
}

}  // namespace

// Each fault a different exception code: catches a handler that accepts
// only some codes, one that returns without resuming (the test process would
// die), and a chain left pointing at a dead record.
TEST(Guard, FaultsReturnZeroAndLeaveTheChain)
{
    struct { const char *What; GuardedProbe Probe; } faults[] = {
        { "illegal instruction", IllegalInstruction },
        { "null-pointer write", NullWrite },
        { "divide by zero", DivideByZero },
        { "breakpoint", Breakpoint },
        { "privileged instruction", Privileged },
        { "own record left linked", FaultUnderForeignRecord },
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.What);
        DWORD before = ChainHead();
        EXPECT_EQ(0, RunGuarded(f.Probe, 0));
        EXPECT_EQ(before, ChainHead());

        int flag = 0;
        EXPECT_EQ(1, RunGuarded(SetFlag, &flag));
        EXPECT_EQ(1234, flag);
        EXPECT_EQ(before, ChainHead());
    }
}

// Catches a recovery that trusts the faulting esp or ebp, and a frame whose
// saved registers are not restored after the probe wrecked them.
TEST(Guard, RegistersAndStackSurviveAFault)
{
    volatile DWORD kept = 0x5EED5EED;
    DWORD out[5] = { 9, 0, 0, 0, 0 };
    RunGuardedWithMarkers(ClobberThenFault, out);
    EXPECT_EQ(0u, out[0]);
    EXPECT_EQ(0x11111111u, out[1]);
    EXPECT_EQ(0x22222222u, out[2]);
    EXPECT_EQ(0x33333333u, out[3]);
    EXPECT_EQ((DWORD)-12, out[4]);
    EXPECT_EQ(0x5EED5EEDu, kept);

    int depth = 50;
    DWORD before = ChainHead();
    EXPECT_EQ(0, RunGuarded(RecurseThenFault, &depth));
    EXPECT_EQ(0, depth);
    EXPECT_EQ(before, ChainHead());
    EXPECT_EQ(0x5EED5EEDu, kept);
}

// Catches a handler that resumes in the outermost guard instead of the one
// whose frame the fault reached first.
TEST(Guard, InnerGuardTakesItsOwnFault)
{
    NestedResult r = { 9, 0 };
    DWORD before = ChainHead();
    EXPECT_EQ(1, RunGuarded(NestedFault, &r));
    EXPECT_EQ(0, r.Inner);
    EXPECT_EQ(1, r.After);
    EXPECT_EQ(before, ChainHead());
}
