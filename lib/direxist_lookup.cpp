// Folder test by lookup: the entry the path names must carry the folder
// attribute. Hidden and system folders count; drive roots and paths with a
// trailing backslash are not found.
#include <windows.h>

#include "files.h"

namespace FILE_FUNCTIONS {

bool DIREXIST(const char *path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace FILE_FUNCTIONS
