// The command line's parse at its edges.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include "cmdline.h"

// Catches a quote, blank or case taken wrong, a path cut instead of refused
// at MAX_PATH, text after the file let through, and a missing or mistyped
// file that would start the dialog, which a script cannot answer.
TEST(CommandLine, SwitchPathAndEdges)
{
    const std::string fits(MAX_PATH - 1, 'p');
    const struct { std::string Line; int Command; std::string Path; } cases[] = {
        { " readme.txt", COMMAND_DIALOG, "" },     { " /? ", COMMAND_USAGE, "" },
        { " \t-T \t \\\\pc\\s\\a.txt\t ", COMMAND_REPORT, "\\\\pc\\s\\a.txt" },
        { "/t \"C:\\My files\\a b.txt\" ", COMMAND_REPORT, "C:\\My files\\a b.txt" },
        { "/t " + fits, COMMAND_REPORT, fits },    { "/t " + fits + "p", COMMAND_WRONG, "" },
        { "/t ", COMMAND_WRONG, "" },              { "/t \"\"", COMMAND_WRONG, "" },
        { "/t \"", COMMAND_WRONG, "" },            { "/t a.txt b", COMMAND_WRONG, "" },
        { "/ta.txt", COMMAND_WRONG, "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("[" + c.Line + "]");
        char path[MAX_PATH + 1];
        memset(path, '#', sizeof path);
        EXPECT_EQ(c.Command, ParseCommandLine(c.Line.c_str(), path));
        EXPECT_EQ(c.Path, path);
        EXPECT_EQ('#', path[MAX_PATH]) << "written past the path buffer";
    }
}
