/* memset and memcpy for the shipped files, which link no C runtime: the
   compiler still calls them for large clears and structure copies. Built so
   that these loops are not turned back into calls to themselves. */
#include <stddef.h>

extern "C" void *memset(void *dest, int value, size_t count)
{
    unsigned char *to = (unsigned char *)dest;

    while (count-- != 0)
        *to++ = (unsigned char)value;
    return dest;
}

extern "C" void *memcpy(void *dest, const void *src, size_t count)
{
    unsigned char *to = (unsigned char *)dest;
    const unsigned char *from = (const unsigned char *)src;

    while (count-- != 0)
        *to++ = *from++;
    return dest;
}
