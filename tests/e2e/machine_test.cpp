// The machine facts in the main dialog under every Windows version Wine can
// play: the Windows field against the numbers that version reports, and the
// Computer field against what the machine itself says.
#include "program.h"

#include <algorithm>
#include <cstdio>
#include <regex>

using namespace e2e;

namespace {

struct Reported {
    unsigned long platform = 0, major = 0, minor = 0, build = 0;
    std::string csd;
};

// What GetVersionExA says to a program run as the given Windows version.
bool ProbeVersion(const wchar_t *version, const std::wstring &dir, Reported *out)
{
    std::wstring probe = dir + L"\\verprobe.exe";
    std::wstring unixProbe = Env(L"VURODOZ_PROBE");
    std::wstring source = L"Z:" + unixProbe;
    for (wchar_t &c : source)
        if (c == L'/')
            c = L'\\';
    if (!CopyFileW(source.c_str(), probe.c_str(), FALSE))
        return false;
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\verprobe.exe", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegSetValueExW(key, L"Version", 0, REG_SZ, (const BYTE *)version, (DWORD)((wcslen(version) + 1) * 2));
    RegCloseKey(key);

    std::wstring result = dir + L"\\version.txt";
    std::wstring command = L"\"" + probe + L"\" \"" + result + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(probe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 15000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);

    FILE *f = _wfopen(result.c_str(), L"rb");
    if (!f)
        return false;
    char csd[256] = "";
    // The service-pack text keeps its blanks: only the one line feed goes.
    int n = fscanf(f, "%lu\n%lu\n%lu\n%lu", &out->platform, &out->major, &out->minor, &out->build);
    fgetc(f);
    size_t got = fread(csd, 1, sizeof(csd) - 1, f);
    csd[got] = 0;
    fclose(f);
    out->csd = csd;
    return n == 4;
}

std::wstring Wide(const std::string &s)
{
    return FromUtf8(s.c_str());
}

std::string Format(const char *format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    return buffer;
}

// The name the dialog must show for what the version reports, row by row.
std::string ExpectedTwoLineName(const Reported &r)
{
    const char *s = r.csd.c_str();
    bool hasCsd = !r.csd.empty();
    if (r.platform == VER_PLATFORM_WIN32_NT) {
        if (r.major < 5)
            return hasCsd ? Format("Windows NT Version %lu.%lu\n(Build %lu: %s)", r.major, r.minor, r.build, s)
                          : Format("Windows NT Version %lu.%lu\n(Build %lu)", r.major, r.minor, r.build);
        const char *name = r.minor != 0 ? "Windows XP" : "Windows 2000";
        return hasCsd ? Format("%s\n(Build %lu: %s)", name, r.build, s) : Format("%s (Build %lu)", name, r.build);
    }
    unsigned long build = r.build & 0xFFFF;
    if (r.major == 4 && r.minor == 0)
        return Format("Windows 95\nVersion 4.00.%lu%s", build, s);
    if (r.major == 4 && r.minor == 10)
        return Format("Windows 98 %s\nVersion 4.10.%lu%s", build == 2222 ? "Second Edition " : "", build, s);
    if (r.major == 4 && r.minor == 90)
        return hasCsd ? Format("Windows Millennium Edition\n%s", s) : "Windows Millennium Edition";
    return Format("Windows 9x Unknown Version %lu.%lu Build %lu", r.major, r.minor, build);
}

}  // namespace

// A field fed from the wrong numbers (the 9x build's high half, a lost
// service pack, the wrong family branch) shows here for some version.
TEST_F(Program, WindowsFieldForEveryVersion)
{
    struct Case { const wchar_t *version; const char *starts; } cases[] = {
        {L"win95", "Windows 95"}, {L"win98", "Windows 98"}, {L"winme", "Windows Millennium Edition"},
        {L"nt351", "Windows NT Version 3.51"}, {L"nt40", "Windows NT Version 4.0"},
        {L"win2k", "Windows 2000"}, {L"winxp", "Windows XP"}, {L"win7", "Windows XP"},
        {L"win10", "Windows XP"},   // 6.2 to a program that declares no newer Windows
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.version);
        Reported reported;
        ASSERT_TRUE(ProbeVersion(c.version, dir_, &reported));
        std::string expected = ExpectedTwoLineName(reported);
        EXPECT_EQ(0u, expected.find(c.starts)) << expected;

        App app;
        HWND dialog = StartAs(app, c.version);
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(WaitControlText(dialog, IDC_WINDOWS, Wide(expected)))
            << "want \"" << expected << "\" for " << reported.platform << " " << reported.major << "."
            << reported.minor << "." << reported.build;
        CloseWithButton(app, dialog, IDOK);
    }
}

// The count prefix, a known name, a clock in one of its four forms and the
// memory in whole megabytes, rounded down.
TEST_F(Program, ComputerFieldShowsProcessorClockAndMemory)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    MEMORYSTATUS memory;
    memory.dwLength = sizeof(memory);
    GlobalMemoryStatus(&memory);
    std::string prefix = system.dwNumberOfProcessors == 1 ? ""
                         : system.dwNumberOfProcessors == 2 ? "Dual "
                         : Format("%lu ", system.dwNumberOfProcessors);

    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitControlText(dialog, IDC_WINDOWS, ControlText(dialog, IDC_WINDOWS)));
    Settle(dialog);
    std::wstring wide = ControlText(dialog, IDC_COMPUTER);
    std::string text(wide.begin(), wide.end());
    std::smatch m;
    std::regex form("^(.*) (\\?MHz|[1-9][0-9]{0,2}MHz|[1-9][0-9]*\\.[0-9]{3}GHz|[1-9][0-9]*GHz) ([0-9]+)MBytes$");
    ASSERT_TRUE(std::regex_match(text, m, form)) << text;
    EXPECT_EQ(0u, m[1].str().find(prefix)) << text;
    std::string name = m[1].str().substr(prefix.size());
    static const char *const known[] = {
        "Unknown CPU", "INTEL CPU - Unknown", "i486DX", "i486SX", "i486DX2", "i486DX2E", "i486DX4", "i486SL",
        "Pentium", "Pentium with MMX", "PentiumPRO", "Pentium II", "Pentium III", "Celeron", "Pentium 4",
        "Pentium III Xeon", "Pentium Xeon", "AMD CPU - Unknown", "Am486", "AMD K5", "AMD K6", "AMD K6 2",
        "AMD K6 3", "ATHLON", "DURON",
    };
    EXPECT_NE(std::end(known), std::find(std::begin(known), std::end(known), name)) << name;
    EXPECT_EQ(Format("%lu", (unsigned long)(memory.dwTotalPhys >> 20)), m[3].str());
    EXPECT_NE("?MHz", m[2].str()) << "the clock was not measured";
    CloseWithButton(dialog, IDOK);
}
