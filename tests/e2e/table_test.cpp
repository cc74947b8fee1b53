// The table a fleet's machines add their rows to: many at once, one held
// by another program, the fields of a row against the report of the same
// run.
#include "program.h"

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const size_t kColumns = 17;

std::string LocalTime()
{
    SYSTEMTIME t;
    char text[24];
    GetLocalTime(&t);
    sprintf(text, "%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace

namespace e2e {

// The report's Computer line as the row's own columns give it.
std::string ComputerFromRow(const std::vector<std::string> &row)
{
    int count = atoi(row[6].c_str()), mhz = atoi(row[5].c_str());
    char clock[32];
    if (mhz == 0)
        sprintf(clock, "?MHz");
    else if (mhz < 1000)
        sprintf(clock, "%dMHz", mhz);
    else if (mhz % 1000)
        sprintf(clock, "%d.%03dGHz", mhz / 1000, mhz % 1000);
    else
        sprintf(clock, "%dGHz", mhz / 1000);
    std::string prefix = count == 1 ? "" : count == 2 ? "Dual " : std::to_string(count) + " ";
    return prefix + row[4] + " " + clock + " " + row[7] + "MBytes";
}

// Every field of a row against the report that the same run wrote.
void ExpectRowIsReport(const std::vector<std::string> &row, const std::string &report, bool ninetyEight)
{
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    ASSERT_EQ(kColumns, row.size());
    EXPECT_EQ(name, row[0]);
    EXPECT_EQ("VurOdoz version " + row[2] + "\r\n", report.substr(0, report.find('\n') + 1));
    EXPECT_EQ(ReportValue(report, "Windows:"), row[3]);
    EXPECT_EQ(ReportValue(report, "Computer:"), ComputerFromRow(row));
    EXPECT_EQ(ReportValue(report, "Chip Set:"), row[8]);
    EXPECT_EQ(ReportValue(report, "PCI Latency Timer:"), row[9]);
    EXPECT_EQ(ninetyEight ? ReportValue(report, "PCI BIOS Version:") : "N/A", row[10]);
    EXPECT_EQ(ReportValue(report, "------------ Overlay Info\r\n"), row[11]);
    bool tested = report.find("Hard Disk Performance") != std::string::npos;
    EXPECT_EQ(tested ? ReportValue(report, "Drive:") : "", row[12]);
    EXPECT_EQ(tested ? ReportValue(report, "Read:") : "", row[13]);
    EXPECT_EQ(tested ? ReportValue(report, "Write:") : "", row[14]);
    for (int i = 13; i <= 14; i++) {
        bool mb = row[i].find("MB/S") != std::string::npos;
        EXPECT_EQ(atoi(row[i].c_str()), atoi(row[i + 2].c_str()) / (mb ? 1024 : 1)) << row[i] << " " << row[i + 2];
    }
}

}  // namespace e2e

// Forty machines at once on one table. Catches rows that run into each
// other, a row lost or half written, a header written twice or in the
// middle, and a run refused where it only had to wait its turn.
TEST_F(Program, FortyRunsAtOnceAddFortyWholeRows)
{
    std::vector<App> apps(40);
    for (App &app : apps)
        ASSERT_TRUE(app.Start(Run(L"/a fleet.csv")));
    for (App &app : apps) {
        DWORD code = 12345;
        EXPECT_TRUE(app.WaitExit(170000, &code));
        EXPECT_EQ(0u, code);
    }
    std::vector<std::vector<std::string>> rows = ReadCsv(ReadFileBytes(dir_ + L"\\fleet.csv"));
    ASSERT_EQ(41u, rows.size());
    EXPECT_EQ("Computer", rows[0][0]);
    for (size_t i = 1; i < rows.size(); i++)
        EXPECT_TRUE(rows[i].size() == kColumns && rows[i][3] == rows[1][3] && rows[i][2] == "2.11.000") << i;
}

// Catches a held table refused without waiting, a wait without end, a
// refusal that still touches the table, a released table not written after
// all, a row run onto a last line typed without its line end, a header
// written into a table that has rows, and a failed write that leaves half a
// row for the next machine to append to.
TEST_F(Program, HeldTableIsWaitedForThenRefusedUntouched)
{
    const std::wstring table = dir_ + L"\\t.csv";
    const std::string typed = "Computer,Date\r\nby hand";
    ASSERT_TRUE(WriteFileBytes(table, typed));
    HANDLE held = CreateFileW(table.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    // Released while the run tries again: the row goes in.
    App app;
    ASSERT_TRUE(app.Start(Run(L"/a t.csv", "CreateFileA 0 0\n")));
    EXPECT_TRUE(WaitFileHolds(dir_ + L"\\faults.log", "CreateFileA 2\r\n", 60000)) << "not tried again";
    CloseHandle(held);
    DWORD code = 12345;
    ASSERT_TRUE(app.WaitExit(60000, &code));
    EXPECT_EQ(0u, code);
    std::string bytes = ReadFileBytes(table);
    std::vector<std::vector<std::string>> rows = ReadCsv(bytes);
    EXPECT_EQ(0u, bytes.find(typed + "\r\n"));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(kColumns, rows[2].size());

    // Held throughout: refused after the wait, the table as it was.
    held = CreateFileW(table.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD start = GetTickCount();
    EXPECT_EQ(11u, RunSilent(L"/a t.csv"));
    EXPECT_GE(GetTickCount() - start, 30000u) << "refused before its wait";
    CloseHandle(held);
    EXPECT_EQ(bytes, ReadFileBytes(table));

    // The row's one write goes in only in part, as onto a full disk.
    EXPECT_EQ(3u, RunSilent(L"/a t.csv", "WriteFile 1 1\n"));
    EXPECT_EQ(bytes, ReadFileBytes(table)) << "half a row left";
}

// As Windows 98 with a bridge the program knows no name for, whose name
// holds a comma. Catches a field of the row that differs from the report's
// of the same run, a comma that splits a field, and a date that is not the
// run's.
TEST_F(Program, RowHoldsTheReportsFieldsQuotedWhereNeeded)
{
    SetWindowsVersion(L"win98");
    std::wstring fake = DoublesPath(L"rudido32.dll");
    ASSERT_TRUE(CopyFileW(fake.c_str(), (dir_ + L"\\rudido32.dll").c_str(), FALSE));
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", L"1 0210 1234 5678 40");
    std::string before = LocalTime();
    DWORD code = RunSilent(L"/t r.txt /a t.csv");
    std::string after = LocalTime();
    SetEnvironmentVariableW(L"VURODOZ_FAKE_BRIDGE", nullptr);
    ASSERT_EQ(0u, code);

    std::string table = ReadFileBytes(dir_ + L"\\t.csv"), report = ReadFileBytes(dir_ + L"\\r.txt");
    std::vector<std::vector<std::string>> rows = ReadCsv(table);
    ASSERT_EQ(2u, rows.size()) << table;
    EXPECT_NE(std::string::npos, table.find(",\"Unknown(Ven=1234, Dev=5678)\",")) << table;
    ExpectRowIsReport(rows[1], report, true);
    EXPECT_TRUE(before <= rows[1][1] && rows[1][1] <= after) << rows[1][1];
}
