/* Formatting into fixed text fields that can never be overrun. */
#ifndef VURODOZ_TEXTFMT_H
#define VURODOZ_TEXTFMT_H

#include <windows.h>
#include <stdarg.h>

/* wsprintfA's own limit is 1024 bytes; the result is cut to size bytes. */
void FormatBounded(char *out, int size, const char *format, ...);
void FormatBoundedV(char *out, int size, const char *format, va_list args);

#endif
