/* The table's text apart from its file: a row of quoted fields, what is
   added after a table's last byte, and the pauses between tries. */
#include "table.h"

/* Comma, quote, CR and LF are below 0x40, where no code page of these
   systems has a trail byte: a byte-wise look never splits a character. */
static int NeedsQuotes(const char *field)
{
    for (; *field != '\0'; field++)
        if (*field == ',' || *field == '"' || *field == '\r' || *field == '\n')
            return 1;
    return 0;
}

/* Appends text to out[*length], inside size with room for a zero; 0 where
   it does not fit. */
static int Append(char *out, int size, int *length, const char *text, int count)
{
    if (count > size - 1 - *length)
        return 0;
    for (int i = 0; i < count; i++)
        out[(*length)++] = text[i];
    out[*length] = '\0';
    return 1;
}

static int AppendField(char *out, int size, int *length, const char *field)
{
    int quoted = NeedsQuotes(field);

    if (quoted && !Append(out, size, length, "\"", 1))
        return 0;
    for (; *field != '\0'; field++) {
        if (*field == '"' && !Append(out, size, length, "\"", 1))
            return 0;
        if (!Append(out, size, length, field, 1))
            return 0;
    }
    return !quoted || Append(out, size, length, "\"", 1);
}

int FormatTableRow(char *out, int size, const char *const *fields, int count)
{
    int length = 0;

    out[0] = '\0';
    for (int i = 0; i < count; i++) {
        if ((i > 0 && !Append(out, size, &length, ",", 1)) || !AppendField(out, size, &length, fields[i])) {
            out[0] = '\0';
            return 0;
        }
    }
    if (!Append(out, size, &length, "\r\n", 2)) {
        out[0] = '\0';
        return 0;
    }
    return length;
}

int ComposeTableAddition(char *out, int size, DWORD tableSize, char lastByte, const char *row)
{
    int length = 0;

    out[0] = '\0';
    /* A table whose last line someone typed without its line end keeps
       that line; the row starts on a line of its own. */
    if ((tableSize > 0 && lastByte != '\n' && !Append(out, size, &length, "\r\n", 2))
        || (tableSize == 0 && !Append(out, size, &length, TABLE_HEADER, lstrlenA(TABLE_HEADER)))
        || !Append(out, size, &length, row, lstrlenA(row))) {
        out[0] = '\0';
        return 0;
    }
    return length;
}

/* Machines that met at a held table spread out again rather than try in
   step. */
DWORD NextTablePause(DWORD *seed)
{
    *seed = *seed * 1103515245u + 12345u;
    return TABLE_PAUSE_MIN_MS + (*seed >> 16) % TABLE_PAUSE_SPREAD_MS;
}
