/* The command line as WinMain gets it, after the program's name: "/t FILE"
   or "-t FILE" writes the report silently, and "/d X" after it runs the HDD
   Test on drive X first; "/?" shows the usage; anything else starts the
   dialog program as it always has. */
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

/* FILE, quoted or up to the next blank, into path; the text after it, or 0
   when there is no usable path. */
static const char *TakePath(const char *p, char *path)
{
    int quoted = *p == '"';
    int length = 0;

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

/* "/d X" or "-d X:" after FILE, either case: the drive into drive, and the
   text after it; p itself where the switch is not there, 0 where it is
   there but wrong. */
static const char *TakeDrive(const char *p, int *drive)
{
    char letter;

    if ((p[0] != '/' && p[0] != '-') || (p[1] != 'd' && p[1] != 'D'))
        return p;
    if (!IsBlank(p[2]))
        return 0;
    p = SkipBlanks(p + 2);
    letter = *p >= 'a' && *p <= 'z' ? (char)(*p - 'a' + 'A') : *p;
    if (letter < 'A' || letter > 'Z')
        return 0;
    p += p[1] == ':' ? 2 : 1;
    if (*p != '\0' && !IsBlank(*p))
        return 0;
    *drive = letter - 'A';
    return p;
}

int ParseCommandLine(const char *line, char *path, int *drive)
{
    const char *p = SkipBlanks(line);

    path[0] = '\0';
    *drive = -1;
    if (p[0] == '/' && p[1] == '?' && *SkipBlanks(p + 2) == '\0')
        return COMMAND_USAGE;
    if ((p[0] != '/' && p[0] != '-') || (p[1] != 't' && p[1] != 'T'))
        return COMMAND_DIALOG;
    /* "/tFILE" is taken for a mistyped switch rather than for a wish to see
       the dialog: a script that asked for no window must never get one. */
    if (!IsBlank(p[2]))
        return COMMAND_WRONG;
    p = TakePath(SkipBlanks(p + 2), path);
    if (p != 0)
        p = TakeDrive(SkipBlanks(p), drive);
    if (p == 0 || *SkipBlanks(p) != '\0') {
        path[0] = '\0';
        *drive = -1;
        return COMMAND_WRONG;
    }
    return COMMAND_REPORT;
}
