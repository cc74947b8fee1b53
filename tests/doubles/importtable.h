/* Walks the import table of the program that loaded a double, for doubles
   that stand between the program and a system DLL. By the time a DLL's
   DllMain runs, or a DLL is loaded later on, the loader has filled the
   program's table, so a slot can be read and replaced. */
#ifndef VURODOZ_IMPORTTABLE_H
#define VURODOZ_IMPORTTABLE_H

#include <windows.h>

/* Called for each function the program imports by name; slot is where the
   program reads its address. */
typedef void (*ImportVisitor)(const char *dll, const char *name, ULONG_PTR *slot, void *context);

static void VisitProgramImports(ImportVisitor visit, void *context)
{
    BYTE *base = (BYTE *)GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY *table = &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR *d = (IMAGE_IMPORT_DESCRIPTOR *)(base + table->VirtualAddress);

    for (; table->VirtualAddress && d->Name; d++) {
        IMAGE_THUNK_DATA *names = (IMAGE_THUNK_DATA *)(base + d->OriginalFirstThunk);
        IMAGE_THUNK_DATA *slots = (IMAGE_THUNK_DATA *)(base + d->FirstThunk);
        for (; names->u1.AddressOfData; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            visit((const char *)(base + d->Name),
                  (const char *)((IMAGE_IMPORT_BY_NAME *)(base + names->u1.AddressOfData))->Name,
                  (ULONG_PTR *)&slots->u1.Function, context);
        }
    }
}

static void SetImportSlot(ULONG_PTR *slot, ULONG_PTR value)
{
    DWORD old;

    VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), old, &old);
}

#endif
