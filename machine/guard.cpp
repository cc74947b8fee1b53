/* A structured exception guard for the processor-instruction probes.
   The i686 compiler has no __try, so RunGuarded links its own registration
   record into the thread's chain at fs:[0]; the handler sends any fault back
   to a recovery point inside RunGuarded, which unlinks the record again. */
#include <windows.h>

#include "guard.h"

/* Layout shared with the assembly below: the two system fields first, then
   what the handler needs to resume inside RunGuarded. */
struct GuardFrame {
    GuardFrame *Previous;
    void       *Handler;
    DWORD       ResumeEsp;
    DWORD       ResumeEbp;
    DWORD       ResumeEip;
};

extern "C" EXCEPTION_DISPOSITION __cdecl GuardExceptionHandler(
    EXCEPTION_RECORD *record, void *establisher, CONTEXT *context, void *dispatcher)
{
    (void)dispatcher;
    /* An unwind started by someone else passes through here on its way down
       the chain; it is not ours to stop. */
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    const GuardFrame *frame = (const GuardFrame *)establisher;
    context->Eip = frame->ResumeEip;
    context->Esp = frame->ResumeEsp;
    context->Ebp = frame->ResumeEbp;
    return ExceptionContinueExecution;
}

/* int RunGuarded(GuardedProbe probe, void *arg), cdecl.
   Stack after the prologue: 8(%ebp) probe, 12(%ebp) arg; ebx, esi, edi are
   saved below ebp and the GuardFrame (20 bytes) below them, so the frame
   always sits at -32(%ebp). The recovery path gets esp and ebp back from the
   frame and then leaves through the same epilogue as the normal path, which
   restores ebx, esi and edi whatever the probe did to them. */
__asm__(
    ".text\n"
    ".globl _RunGuarded\n"
    ".def _RunGuarded; .scl 2; .type 32; .endef\n"
    "_RunGuarded:\n"
    "    pushl %ebp\n"
    "    movl  %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    pushl $.LguardRecover\n"          /* ResumeEip */
    "    pushl %ebp\n"                     /* ResumeEbp */
    "    leal  -32(%ebp), %eax\n"
    "    pushl %eax\n"                     /* ResumeEsp: the frame itself */
    "    pushl $_GuardExceptionHandler\n"  /* Handler */
    "    pushl %fs:0\n"                    /* Previous */
    "    movl  %esp, %fs:0\n"
    "    andl  $-16, %esp\n"               /* probes may use aligned SSE locals */
    "    subl  $12, %esp\n"
    "    pushl 12(%ebp)\n"
    "    call  *8(%ebp)\n"
    "    movl  $1, %eax\n"
    "    jmp   .LguardLeave\n"
    ".LguardRecover:\n"
    "    xorl  %eax, %eax\n"
    ".LguardLeave:\n"
    "    leal  -32(%ebp), %esp\n"
    /* Restore the chain from our own record, not from fs:[0]: a fault inside
       code that linked records of its own leaves those above ours. */
    "    movl  (%esp), %ecx\n"
    "    movl  %ecx, %fs:0\n"
    "    addl  $20, %esp\n"
    "    popl  %edi\n"
    "    popl  %esi\n"
    "    popl  %ebx\n"
    "    popl  %ebp\n"
    "    cld\n"
    "    ret\n");
