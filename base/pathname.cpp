/* Paths taken apart by characters, without asking the file system: the
   file name in a path, and another name beside a module. */
#include "pathname.h"

const char *FileNameInPath(const char *path)
{
    const char *at, *name = path;

    /* By characters: in a double-byte code page a trail byte can equal '\\'. */
    for (at = path; *at != '\0'; at = CharNextA(at))
        if (*at == '\\' || *at == '/' || *at == ':')
            name = at + 1;
    return name;
}

int PlaceBesideModule(char *path, DWORD length, const char *fileName)
{
    char *name;

    /* A path cut to fit would name some other file. */
    if (length == 0 || length >= MAX_PATH)
        return 0;
    path[length] = '\0';
    name = path + (FileNameInPath(path) - path);
    if (name == path || (name - path) + lstrlenA(fileName) >= MAX_PATH)
        return 0;
    lstrcpyA(name, fileName);
    return 1;
}
