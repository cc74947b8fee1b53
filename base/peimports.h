/* The libraries a 32-bit Windows module imports, read from the file as it
   lies on disk, before anything loads it. */
#ifndef VURODOZ_PEIMPORTS_H
#define VURODOZ_PEIMPORTS_H

#include <windows.h>

/* A library name of the import table, with its terminating zero; longer
   names are passed over, as no system library's name is that long. */
#define IMPORT_NAME_SIZE 64

/* Called for each name; the walk stops when it returns 0. */
typedef int (*ImportNameProc)(const char *name, void *context);

/* Calls found for each library that image (size bytes of a file) imports,
   in the order of its import table. 0 when image is no 32-bit PE file or its
   headers or table do not lie inside it; names already passed stay passed. */
int ForEachImportName(const unsigned char *image, DWORD size, ImportNameProc found, void *context);

#endif
