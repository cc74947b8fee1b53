/* Formatting into fixed text fields that can never be overrun. */
#include "textfmt.h"

void FormatBoundedV(char *out, int size, const char *format, va_list args)
{
    char text[1025];

    wvsprintfA(text, format, args);
    text[1024] = '\0';
    lstrcpynA(out, text, size);
}

void FormatBounded(char *out, int size, const char *format, ...)
{
    va_list args;

    va_start(args, format);
    FormatBoundedV(out, size, format, args);
    va_end(args);
}
