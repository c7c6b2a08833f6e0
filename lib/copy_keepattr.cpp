// COPY that may read a read-only source: the source's read-only attribute is
// cleared for the copy and the source gets its attributes back on every way
// out; the copy gets the same attributes.
#include <windows.h>

#include "files.h"

namespace FILE_FUNCTIONS {

bool COPY(const char *source, const char *destination)
{
    DWORD attributes = GetFileAttributesA(source);
    bool known = attributes != INVALID_FILE_ATTRIBUTES;
    if (known)
        SetFileAttributesA(source, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    bool copied = CopyFileKeepingTime(source, destination, known ? attributes : 0);
    if (known)
        SetFileAttributesA(source, attributes);
    return copied;
}

}  // namespace FILE_FUNCTIONS
