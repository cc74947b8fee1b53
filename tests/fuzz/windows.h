/* The few Windows types and text calls that the program's plain code over
   bytes and characters uses, for building that code natively under the
   sanitizers. The calls behave as Windows documents them: wsprintfA stops
   at 1024 bytes, lstrcpynA always ends what it copies, and CharNextA steps
   over the double-byte characters of code page 932. */
#ifndef VURODOZ_FUZZ_WINDOWS_H
#define VURODOZ_FUZZ_WINDOWS_H

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int BOOL;
typedef unsigned int UINT;
typedef void *HANDLE;
typedef void *HWND;
#define WINAPI
#define MAX_PATH 260

static inline int wvsprintfA(char *out, const char *format, va_list args)
{
    int n = vsnprintf(out, 1024, format, args);
    return n < 0 ? 0 : n > 1023 ? 1023 : n;
}

static inline int wsprintfA(char *out, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int n = wvsprintfA(out, format, args);
    va_end(args);
    return n;
}

static inline int lstrlenA(const char *s) { return s ? (int)strlen(s) : 0; }
static inline char *lstrcpyA(char *to, const char *from) { return strcpy(to, from); }
static inline char *lstrcatA(char *to, const char *from) { return strcat(to, from); }

static inline char *lstrcpynA(char *to, const char *from, int size)
{
    int i;
    if (size <= 0)
        return to;
    for (i = 0; i < size - 1 && from[i] != '\0'; i++)
        to[i] = from[i];
    to[i] = '\0';
    return to;
}

static inline char *CharNextA(const char *at)
{
    unsigned char c = (unsigned char)*at;
    if (c == 0)
        return (char *)at;
    if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && at[1] != '\0')
        return (char *)at + 2;
    return (char *)at + 1;
}

#endif
