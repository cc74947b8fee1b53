// The command line's parse at its edges.
#include <gtest/gtest.h>
#include <string>
#include "cmdline.h"

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
        char path[MAX_PATH] = "";
        int drive = 7;
        EXPECT_EQ(c.Command, ParseCommandLine(c.Line.c_str(), path, &drive)) << c.Line;
        EXPECT_EQ(-1, drive) << c.Line;
        EXPECT_EQ(c.Path, path) << c.Line;
    }
}

// Catches the drive switch taken without its blank or its letter, a drive
// letter off by one or in the wrong case, and text after it let through.
TEST(CommandLine, DriveForTheHddTest)
{
    const struct { const char *Line; int Command; int Drive; } cases[] = {
        { "/t r.txt /d C", COMMAND_REPORT, 2 }, { "-T r.txt -D e:", COMMAND_REPORT, 4 },
        { "/t \"a b.txt\"\t/d z  ", COMMAND_REPORT, 25 }, { "/t r.txt /d a", COMMAND_REPORT, 0 },
        { "/t r.txt /dC", COMMAND_WRONG, -1 }, { "/t r.txt /d", COMMAND_WRONG, -1 },
        { "/t r.txt /d CC", COMMAND_WRONG, -1 }, { "/t r.txt /d C: x", COMMAND_WRONG, -1 },
        { "/t r.txt /d 1", COMMAND_WRONG, -1 }, { "/t r.txt /d C:\\", COMMAND_WRONG, -1 },
        { "/t r.txt /x C", COMMAND_WRONG, -1 } };
    for (const auto &c : cases) {
        char path[MAX_PATH] = "";
        int drive = 7;
        EXPECT_EQ(c.Command, ParseCommandLine(c.Line, path, &drive)) << c.Line;
        EXPECT_EQ(c.Drive, drive) << c.Line;
    }
}
