// The command line's parse at its edges.
#include <gtest/gtest.h>
#include <string>
#include "cmdline.h"

namespace {

struct Parsed {
    int Command;
    std::string Report, Table;
    int Drive;
};

Parsed Parse(const std::string &line)
{
    CommandRequest request;
    request.Drive = 7;
    int command = ParseCommandLine(line.c_str(), &request);
    return { command, request.ReportPath, request.TablePath, request.Drive };
}

}  // namespace

// Catches a quote, blank or case taken wrong, a path cut instead of refused at
// MAX_PATH, text after the file let through, a missing or mistyped file, and
// an unclosed quote read past the line's end (the zeros after it show that).
TEST(CommandLine, SwitchPathAndEdges)
{
    const std::string fits(MAX_PATH - 1, 'p');
    const struct { std::string Line; int Command; std::string Path; } cases[] = {
        { " readme.txt", COMMAND_DIALOG, "" }, { " /? ", COMMAND_USAGE, "" }, { "/ta", COMMAND_WRONG, "" },
        { " \t-T \t \\\\pc\\s\\a.txt\t ", COMMAND_REPORT, "\\\\pc\\s\\a.txt" }, { "/t a b", COMMAND_WRONG, "" },
        { "/t \"C:\\My files\\a b.txt\" ", COMMAND_REPORT, "C:\\My files\\a b.txt" }, { "/t ", COMMAND_WRONG, "" },
        { "/t " + fits, COMMAND_REPORT, fits }, { "/t " + fits + "p", COMMAND_WRONG, "" },
        { "/t \"\"", COMMAND_WRONG, "" }, { "/t \"", COMMAND_WRONG, "" }, { "/t \"x", COMMAND_WRONG, "" },
        { std::string("/t \"x\0\0", 7), COMMAND_WRONG, "" } };
    for (const auto &c : cases) {
        Parsed p = Parse(c.Line);
        EXPECT_EQ(c.Command, p.Command) << c.Line;
        EXPECT_EQ(-1, p.Drive) << c.Line;
        EXPECT_EQ(c.Path, p.Report) << c.Line;
        EXPECT_EQ("", p.Table) << c.Line;
    }
}

// Catches a switch that opens the dialog where it is swapped, glued, doubled
// or not first (a script would wait on it for ever), a drive letter off by
// one or in the wrong case, a drive or table taken into the wrong field, a
// drive without a file to report into, and a half-parsed request left behind.
TEST(CommandLine, SwitchesInAnyOrderAndNoWindowForAnyOfThem)
{
    const struct { const char *Line; int Command; const char *Report, *Table; int Drive; } cases[] = {
        { "/t r.txt /d C", COMMAND_REPORT, "r.txt", "", 2 }, { "-D e: -T r.txt", COMMAND_REPORT, "r.txt", "", 4 },
        { "/a \"t t.csv\"\t/d z  /t r.txt", COMMAND_REPORT, "r.txt", "t t.csv", 25 },
        { "-A t.csv", COMMAND_REPORT, "", "t.csv", -1 }, { "/d a /A t.csv", COMMAND_REPORT, "", "t.csv", 0 },
        { "/d C", COMMAND_WRONG, "", "", -1 }, { "/D:C /t x", COMMAND_WRONG, "", "", -1 },
        { "/t r.txt /dC", COMMAND_WRONG, "", "", -1 }, { "/t r.txt /d", COMMAND_WRONG, "", "", -1 },
        { "/t r.txt /d CC", COMMAND_WRONG, "", "", -1 }, { "/t r.txt /d 1", COMMAND_WRONG, "", "", -1 },
        { "/t r.txt /d C:\\", COMMAND_WRONG, "", "", -1 }, { "/t r.txt /x C", COMMAND_WRONG, "", "", -1 },
        { "/t r.txt /d C /d D", COMMAND_WRONG, "", "", -1 }, { "/t a /t b", COMMAND_WRONG, "", "", -1 },
        { "x /t r.txt", COMMAND_WRONG, "", "", -1 }, { "\"a\"/a t.csv", COMMAND_WRONG, "", "", -1 },
        { "/t \"r.txt\"/d C", COMMAND_WRONG, "", "", -1 }, { "/? /t r.txt", COMMAND_WRONG, "", "", -1 },
        { "a/d b-t", COMMAND_DIALOG, "", "", -1 } };
    for (const auto &c : cases) {
        Parsed p = Parse(c.Line);
        EXPECT_EQ(c.Command, p.Command) << c.Line;
        EXPECT_EQ(c.Report, p.Report) << c.Line;
        EXPECT_EQ(c.Table, p.Table) << c.Line;
        EXPECT_EQ(c.Drive, p.Drive) << c.Line;
    }
}
