// Folder test by listing: true when "<path>\*.*" yields an entry. Sees drive
// roots and paths with a trailing backslash.
#include <windows.h>

#include <cstring>

#include "files.h"

namespace FILE_FUNCTIONS {

bool DIREXIST(const char *path)
{
    size_t len = strlen(path);
    char last = len ? path[len - 1] : '\0';
    bool bare = last == ':' || last == '\\' || last == '/';
    char pattern[PATH_BUF];
    if (!JoinPath(pattern, sizeof pattern, path, bare ? "*.*" : "\\*.*"))
        return false;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA(pattern, &found);
    if (listing == INVALID_HANDLE_VALUE)
        return false;
    FindClose(listing);
    return true;
}

}  // namespace FILE_FUNCTIONS
