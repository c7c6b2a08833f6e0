// COPY that leaves the source alone and gives the copy the source's attributes.
#include <windows.h>

#include "files.h"

namespace FILE_FUNCTIONS {

bool COPY(const char *source, const char *destination)
{
    DWORD attributes = GetFileAttributesA(source);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        attributes = 0;
    return CopyFileKeepingTime(source, destination, attributes);
}

}  // namespace FILE_FUNCTIONS
