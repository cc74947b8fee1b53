/* The import table of a 32-bit PE file, read from its bytes by hand: the
   loader of Windows 95 has no way to map a library without resolving what it
   imports. Every offset the file gives is checked against its size first. */
#include "peimports.h"

#define DOS_MAGIC            0x5A4D
#define DOS_HEADER_SIZE      64
#define DOS_NEW_HEADER       0x3C
#define PE_SIGNATURE         0x00004550
#define FILE_HEADER_SIZE     20
#define PE32_MAGIC           0x010B
/* Within a PE32 optional header: the count of data directories, and the
   directory of imports, the second one. */
#define OPTIONAL_DIR_COUNT   92
#define OPTIONAL_IMPORT_DIR  104
#define SECTION_HEADER_SIZE  40
#define DESCRIPTOR_SIZE      20
#define DESCRIPTOR_NAME      12

struct PeFile {
    const unsigned char *Image;
    DWORD                Size;
    DWORD                Sections;
    DWORD                SectionCount;
};

static int Inside(DWORD size, DWORD offset, DWORD length)
{
    return offset <= size && length <= size - offset;
}

static DWORD Word(const unsigned char *at)
{
    return (DWORD)at[0] | ((DWORD)at[1] << 8);
}

static DWORD Dword(const unsigned char *at)
{
    return Word(at) | (Word(at + 2) << 16);
}

/* Where the bytes of rva lie in the file, and how many of them follow there
   in its section; 0 when no section holds them in the file. */
static DWORD FileOffset(const PeFile *pe, DWORD rva, DWORD *room)
{
    DWORD i;

    for (i = 0; i < pe->SectionCount; i++) {
        const unsigned char *section = pe->Image + pe->Sections + i * SECTION_HEADER_SIZE;
        DWORD address = Dword(section + 12);
        DWORD rawSize = Dword(section + 16);
        DWORD rawAt = Dword(section + 20);

        DWORD into = rva - address;

        if (rva < address || into >= rawSize)
            continue;
        if (!Inside(pe->Size, rawAt, into + 1))
            return 0;
        *room = rawSize - into < pe->Size - (rawAt + into) ? rawSize - into : pe->Size - (rawAt + into);
        return rawAt + into;
    }
    return 0;
}

/* The zero-terminated name at rva into name; 0 when it runs out of its
   section or does not fit. */
static int CopyName(const PeFile *pe, DWORD rva, char *name)
{
    DWORD room, at, i;

    at = FileOffset(pe, rva, &room);
    if (at == 0)
        return 0;
    for (i = 0; i < room && i < IMPORT_NAME_SIZE; i++) {
        name[i] = (char)pe->Image[at + i];
        if (name[i] == '\0')
            return i > 0;
    }
    return 0;
}

int ForEachImportName(const unsigned char *image, DWORD size, ImportNameProc found, void *context)
{
    PeFile pe;
    DWORD header, optional, optionalSize, imports, at, room;
    char name[IMPORT_NAME_SIZE];

    if (!Inside(size, 0, DOS_HEADER_SIZE) || Word(image) != DOS_MAGIC)
        return 0;
    header = Dword(image + DOS_NEW_HEADER);
    if (!Inside(size, header, 4 + FILE_HEADER_SIZE) || Dword(image + header) != PE_SIGNATURE)
        return 0;
    optional = header + 4 + FILE_HEADER_SIZE;
    optionalSize = Word(image + header + 4 + 16);
    if (optionalSize < OPTIONAL_IMPORT_DIR + 8 || !Inside(size, optional, optionalSize)
        || Word(image + optional) != PE32_MAGIC)
        return 0;
    pe.Image = image;
    pe.Size = size;
    pe.Sections = optional + optionalSize;
    pe.SectionCount = Word(image + header + 4 + 2);
    if (!Inside(size, pe.Sections, pe.SectionCount * SECTION_HEADER_SIZE))
        return 0;
    imports = Dword(image + optional + OPTIONAL_IMPORT_DIR);
    if (Dword(image + optional + OPTIONAL_DIR_COUNT) < 2 || imports == 0)
        return 1;
    at = FileOffset(&pe, imports, &room);
    if (at == 0)
        return 0;
    for (;; at += DESCRIPTOR_SIZE, room -= DESCRIPTOR_SIZE) {
        DWORD nameRva;

        if (room < DESCRIPTOR_SIZE)
            return 0;
        nameRva = Dword(image + at + DESCRIPTOR_NAME);
        /* The table ends with a descriptor of zeros. */
        if (nameRva == 0)
            return 1;
        if (CopyName(&pe, nameRva, name) && !found(name, context))
            return 1;
    }
}
