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
