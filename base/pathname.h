/* Paths taken apart by characters, without asking the file system. */
#ifndef VURODOZ_PATHNAME_H
#define VURODOZ_PATHNAME_H

#include <windows.h>

/* Where the file name in path begins, after its last '\\', '/' or ':';
   path itself when it names no folder. */
const char *FileNameInPath(const char *path);
/* path (MAX_PATH bytes) holds a module's path of length characters as
   GetModuleFileNameA gave it; its file name becomes fileName. 0 when the
   path was cut, has no folder, or the result is longer than MAX_PATH - 1:
   LoadLibraryA and CreateServiceA refuse such a path. */
int PlaceBesideModule(char *path, DWORD length, const char *fileName);

#endif
