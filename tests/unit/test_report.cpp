// The report's rows cut to their buffer.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <windows.h>

#include "report.h"

namespace {

std::string FormatRow(const char *format, ...)
{
    char row[REPORT_ROW_SIZE + 8];
    memset(row, '#', sizeof(row));
    va_list args;
    va_start(args, format);
    FormatReportRow(row, format, args);
    va_end(args);
    EXPECT_EQ('#', row[REPORT_ROW_SIZE]) << "wrote past the row buffer";
    return row;
}

}  // namespace

// Catches a report row that overruns its buffer, or one cut short that
// loses its line end and runs into the next row.
TEST(ReportRow, LongRowsAreCutAndKeepTheirLineEnd)
{
    std::string fits(REPORT_ROW_SIZE - 1 - 20 - 2, 'a');
    EXPECT_EQ("Chip Set:           " + fits + "\r\n", FormatRow("Chip Set:           %s\r\n", fits.c_str()));
    std::string longer(600, 'b');
    std::string cut = FormatRow("Windows:            %s\r\n", longer.c_str());
    ASSERT_EQ((size_t)REPORT_ROW_SIZE - 1, cut.size());
    EXPECT_EQ("\r\n", cut.substr(cut.size() - 2));
    EXPECT_EQ("Windows:            bbb", cut.substr(0, 23));
}

// Catches a report written into the wrong folder: a drive-relative name
// taken for the root, a UNC share cut, and the limit off by one either way
// (GetTempFileNameA needs 14 bytes beside the folder in MAX_PATH).
TEST(ReportFolder, FolderOfEachKindOfPath)
{
    std::string deep = "C:\\" + std::string(242, 'd') + "\\";
    const struct { std::string path; const char *want; int fits; } cases[] = {
        {"C:rep.txt", "C:.", 1},
        {"\\\\server\\share\\r.txt", "\\\\server\\share\\", 1},
        {"r.txt", ".", 1},
        {"C:\\r.txt", "C:\\", 1},
        {deep + "r.txt", nullptr, 1},
        {"C:\\" + std::string(243, 'd') + "\\r.txt", nullptr, 0},
    };
    for (const auto &c : cases) {
        char folder[REPORT_FOLDER_SIZE];
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.fits, ReportFolder(c.path.c_str(), folder));
        EXPECT_EQ(c.want ? std::string(c.want) : c.path.substr(0, c.path.rfind('\\') + 1), folder);
    }
    ASSERT_EQ(246u, deep.size());
}
