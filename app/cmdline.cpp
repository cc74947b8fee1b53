/* The command line as WinMain gets it, after the program's name: "/t FILE"
   writes the report silently, "/a TABLE" adds it as a row to a table, and
   "/d X" runs the HDD Test on drive X first; in any order, each at most
   once, with "-" for "/" and in either case. "/?" shows the usage. A line
   without any of these switches starts the dialog program as it always
   has. */
#include "cmdline.h"

static int IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static const char *SkipBlanks(const char *p)
{
    while (IsBlank(*p))
        p++;
    return p;
}

static char SwitchLetter(const char *p)
{
    if (p[0] != '/' && p[0] != '-')
        return 0;
    if (p[1] >= 'A' && p[1] <= 'Z')
        return (char)(p[1] - 'A' + 'a');
    return p[1];
}

/* A script that asked for no window must never get one: a line that holds
   one of the silent switches anywhere, at the start of a word, however it
   is mistyped around it, is the silent run or a wrong line. */
static int HoldsSilentSwitch(const char *line)
{
    const char *p;
    char letter;

    for (p = line; *p != '\0'; p++) {
        if (p != line && !IsBlank(p[-1]) && p[-1] != '"')
            continue;
        letter = SwitchLetter(p);
        if (letter == 't' || letter == 'a' || letter == 'd')
            return 1;
    }
    return 0;
}

/* A file, quoted or up to the next blank, into path; the text after it, or
   0 when there is no usable path. */
static const char *TakePath(const char *p, char *path)
{
    int quoted = *p == '"';
    int length = 0;

    if (path[0] != '\0')
        return 0;
    p += quoted;
    while (*p != '\0' && *p != '"' && (quoted || !IsBlank(*p))) {
        /* A longer path is refused, not cut: a cut one names another file. */
        if (length == MAX_PATH - 1)
            return 0;
        path[length++] = *p++;
    }
    path[length] = '\0';
    if (quoted) {
        if (*p != '"')
            return 0;
        p++;
    }
    return length > 0 ? p : 0;
}

/* A drive letter with or without its colon into drive; the text after it,
   or 0 when it is not one. */
static const char *TakeDrive(const char *p, int *drive)
{
    char letter = *p >= 'a' && *p <= 'z' ? (char)(*p - 'a' + 'A') : *p;

    if (*drive >= 0 || letter < 'A' || letter > 'Z')
        return 0;
    *drive = letter - 'A';
    return p + (p[1] == ':' ? 2 : 1);
}

static const char *TakeSwitch(const char *p, CommandRequest *request)
{
    char letter = SwitchLetter(p);

    /* "/tFILE" or "/D:C" is taken for a mistyped switch: a blank or a tab
       follows every switch. */
    if (letter == 0 || !IsBlank(p[2]))
        return 0;
    p = SkipBlanks(p + 2);
    switch (letter) {
    case 't':
        return TakePath(p, request->ReportPath);
    case 'a':
        return TakePath(p, request->TablePath);
    case 'd':
        return TakeDrive(p, &request->Drive);
    }
    return 0;
}

static void ClearRequest(CommandRequest *request)
{
    request->ReportPath[0] = '\0';
    request->TablePath[0] = '\0';
    request->Drive = -1;
}

int ParseCommandLine(const char *line, CommandRequest *request)
{
    const char *p = SkipBlanks(line);

    ClearRequest(request);
    if (p[0] == '/' && p[1] == '?' && *SkipBlanks(p + 2) == '\0')
        return COMMAND_USAGE;
    if (!HoldsSilentSwitch(line))
        return COMMAND_DIALOG;
    while (p != 0 && *p != '\0') {
        p = TakeSwitch(p, request);
        if (p != 0 && *p != '\0' && !IsBlank(*p))
            p = 0;
        if (p != 0)
            p = SkipBlanks(p);
    }
    if (p == 0 || (request->ReportPath[0] == '\0' && request->TablePath[0] == '\0')) {
        ClearRequest(request);
        return COMMAND_WRONG;
    }
    return COMMAND_REPORT;
}
