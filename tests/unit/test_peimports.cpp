// The import table read from a file's bytes: the program's and the companion
// library's own files, cut short or with a field pointing outside.
#include <gtest/gtest.h>

#include <windows.h>
#include <set>
#include <string>
#include <vector>

#include "peimports.h"

namespace {

std::vector<unsigned char> ReadWhole(const char *path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    DWORD size = GetFileSize(file, NULL), done = 0;
    if (file != INVALID_HANDLE_VALUE && size != INVALID_FILE_SIZE) {
        bytes.resize(size);
        ReadFile(file, bytes.data(), size, &done, NULL);
        bytes.resize(done);
    }
    CloseHandle(file);
    return bytes;
}

int Collect(const char *name, void *names)
{
    std::string lower(name);
    CharLowerA(&lower[0]);
    static_cast<std::set<std::string> *>(names)->insert(lower);
    return 1;
}

const std::set<std::string> kProgramImports = {"advapi32.dll", "gdi32.dll", "kernel32.dll", "user32.dll"};

// Bytes whose end touches a page that faults, so that a read past them shows.
class Guarded {
public:
    explicit Guarded(size_t most)
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        span_ = (most + system.dwPageSize - 1) / system.dwPageSize * system.dwPageSize;
        base_ = (unsigned char *)VirtualAlloc(NULL, span_ + system.dwPageSize, MEM_COMMIT, PAGE_READWRITE);
        DWORD old;
        VirtualProtect(base_ + span_, system.dwPageSize, PAGE_NOACCESS, &old);
    }
    ~Guarded() { VirtualFree(base_, 0, MEM_RELEASE); }
    int Walk(const unsigned char *bytes, size_t size, std::set<std::string> *names)
    {
        memcpy(base_ + span_ - size, bytes, size);
        return ForEachImportName(base_ + span_ - size, (DWORD)size, Collect, names);
    }

private:
    unsigned char *base_;
    size_t span_;
};

// Catches a wrong header offset, an RVA not turned into a file offset, and a
// table read past its closing entry: the program's four libraries, none for
// the companion library, which imports nothing; a walk stops when asked.
TEST(ImportTable, NamesOfTheShippedFiles)
{
    std::vector<unsigned char> exe = ReadWhole("Z:" VURODOZ_DIST_DIR "/vurodoz.exe");
    std::vector<unsigned char> lib = ReadWhole("Z:" VURODOZ_DIST_DIR "/rudido32.dll");
    ASSERT_FALSE(exe.empty() || lib.empty());
    std::set<std::string> names;
    EXPECT_EQ(1, ForEachImportName(exe.data(), (DWORD)exe.size(), Collect, &names));
    EXPECT_EQ(kProgramImports, names);
    names.clear();
    EXPECT_EQ(1, ForEachImportName(lib.data(), (DWORD)lib.size(), Collect, &names));
    EXPECT_TRUE(names.empty());
    int calls = 0;
    ForEachImportName(exe.data(), (DWORD)exe.size(),
                      [](const char *, void *count) { return ++*(int *)count, 0; }, &calls);
    EXPECT_EQ(1, calls);
}

// Catches a read outside the file: every cut through the headers and the
// import section, and a header field or name pointing past the end, either
// give up or name fewer of the same libraries, and never fault.
TEST(ImportTable, CutOrCorruptFilesAreReadInside)
{
    std::vector<unsigned char> exe = ReadWhole("Z:" VURODOZ_DIST_DIR "/vurodoz.exe");
    ASSERT_GT(exe.size(), 4096u);
    const IMAGE_NT_HEADERS32 *nt = (const IMAGE_NT_HEADERS32 *)&exe[((IMAGE_DOS_HEADER *)exe.data())->e_lfanew];
    const IMAGE_SECTION_HEADER *section = IMAGE_FIRST_SECTION(nt), *idata = nullptr;
    for (int i = 0; i < nt->FileHeader.NumberOfSections; i++)
        if (memcmp(section[i].Name, ".idata", 6) == 0)
            idata = &section[i];
    ASSERT_TRUE(idata);
    Guarded guarded(exe.size());
    std::vector<size_t> cuts;
    for (size_t cut = 0; cut < 2048; cut++)
        cuts.push_back(cut);
    for (size_t cut = idata->PointerToRawData; cut <= idata->PointerToRawData + idata->SizeOfRawData; cut++)
        cuts.push_back(cut);
    for (size_t cut : cuts) {
        std::set<std::string> names;
        guarded.Walk(exe.data(), cut, &names);
        for (const std::string &name : names)
            ASSERT_EQ(1u, kProgramImports.count(name)) << name << " at cut " << cut;
    }

    DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t descriptor = idata->PointerToRawData + (importRva - idata->VirtualAddress);
    const struct { size_t at; DWORD value; int result; size_t names; } corrupt[] = {
        {offsetof(IMAGE_DOS_HEADER, e_lfanew), 0xFFFFFFF0, 0, 0},
        {(size_t)((const unsigned char *)&nt->FileHeader.NumberOfSections - exe.data()), 0xFFFF, 0, 0},
        {(size_t)((const unsigned char *)&nt->OptionalHeader.DataDirectory[1] - exe.data()), 0xFFFFFFF0, 0, 0},
        {descriptor + offsetof(IMAGE_IMPORT_DESCRIPTOR, Name), 0x7FFFFFF0, 1, 3},
    };
    for (const auto &c : corrupt) {
        std::vector<unsigned char> bad = exe;
        memcpy(&bad[c.at], &c.value, c.at == corrupt[1].at ? 2 : 4);
        std::set<std::string> names;
        EXPECT_EQ(c.result, guarded.Walk(bad.data(), bad.size(), &names)) << c.at;
        EXPECT_EQ(c.names, names.size()) << c.at;
    }
}

}  // namespace
