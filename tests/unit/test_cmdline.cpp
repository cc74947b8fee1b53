// The command line's parse at its edges.
#include <gtest/gtest.h>
#include <string>
#include "cmdline.h"

// Catches a quote, blank or case taken wrong, a path cut instead of refused at
// MAX_PATH, text after the file let through, and a missing or mistyped file.
TEST(CommandLine, SwitchPathAndEdges)
{
    const std::string fits(MAX_PATH - 1, 'p');
    const struct { std::string Line; int Command; std::string Path; } cases[] = {
        { " readme.txt", COMMAND_DIALOG, "" }, { " /? ", COMMAND_USAGE, "" }, { "/ta", COMMAND_WRONG, "" },
        { " \t-T \t \\\\pc\\s\\a.txt\t ", COMMAND_REPORT, "\\\\pc\\s\\a.txt" }, { "/t a b", COMMAND_WRONG, "" },
        { "/t \"C:\\My files\\a b.txt\" ", COMMAND_REPORT, "C:\\My files\\a b.txt" }, { "/t ", COMMAND_WRONG, "" },
        { "/t " + fits, COMMAND_REPORT, fits }, { "/t " + fits + "p", COMMAND_WRONG, "" },
        { "/t \"\"", COMMAND_WRONG, "" }, { "/t \"", COMMAND_WRONG, "" } };
    for (const auto &c : cases) {
        char path[MAX_PATH] = "";
        EXPECT_EQ(c.Command, ParseCommandLine(c.Line.c_str(), path)) << c.Line;
        EXPECT_EQ(c.Path, path) << c.Line;
    }
}
