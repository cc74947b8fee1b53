// The table's row and what goes after a table's last byte.
#include <gtest/gtest.h>
#include <string>
#include "table.h"

// Catches a field with a comma, a quote or a line break left bare (it would
// split into more columns or rows), a quote not doubled, a plain field
// quoted, a header missing from a new table or repeated in an old one, and
// a row run onto a last line typed without its line end.
TEST(TableRow, QuotesWhatASpreadsheetWouldSplitAndStartsOnItsOwnLine)
{
    const char *fields[] = { "PC-01", "Unknown(Ven=1234, Dev=5678)", "say \"hi\"", "a\r\nb", "" };
    char row[TABLE_TEXT_SIZE], added[TABLE_TEXT_SIZE];
    const std::string want = "PC-01,\"Unknown(Ven=1234, Dev=5678)\",\"say \"\"hi\"\"\",\"a\r\nb\",\r\n";
    EXPECT_EQ((int)want.size(), FormatTableRow(row, sizeof row, fields, 5));
    EXPECT_EQ(want, row);
    EXPECT_EQ(0, FormatTableRow(row, (int)want.size(), fields, 5)) << "a row cut to its buffer";
    EXPECT_STREQ("", row);

    EXPECT_EQ(std::string(TABLE_HEADER) + "x\r\n", std::string(added, ComposeTableAddition(added, sizeof added, 0, 0, "x\r\n")));
    EXPECT_EQ("x\r\n", std::string(added, ComposeTableAddition(added, sizeof added, 9, '\n', "x\r\n")));
    EXPECT_EQ("\r\nx\r\n", std::string(added, ComposeTableAddition(added, sizeof added, 9, ';', "x\r\n")));
}
