#include "platform.h"

#include <cstring>

#include "text.h"

#include "files.h"
#include "paths.h"

static bool IsPlatformName(const char *component)
{
    return EqualsNoCase(component, "i386") || EqualsNoCase(component, "amd64");
}

// The candidate folder holds a plain DOSNET.INF.
static bool HoldsDosnet(const char *candidate)
{
    char marker[PATH_BUF];
    return FILE_FUNCTIONS::DIREXIST(candidate) &&
           JoinPath(marker, sizeof marker, candidate, "\\DOSNET.INF") && FILE_FUNCTIONS::EXIST(marker);
}

int FixatePlatform(char *path, size_t cap)
{
    const char *slash = strrchr(path, '\\');
    const char *last = slash ? slash + 1 : path;
    if (IsPlatformName(last))
        FILE_FUNCTIONS::CUTPATH(path, 1);

    char i386[PATH_BUF + 8];
    char amd64[PATH_BUF + 8];
    size_t room = cap < sizeof i386 ? cap : sizeof i386;
    bool i386_fits = JoinPath(i386, room, path, kI386FolderSuffix);
    if (i386_fits && HoldsDosnet(i386)) {
        strcpy(path, i386);
        return PLATFORM_X86;
    }
    if (!JoinPath(amd64, room, path, "\\AMD64"))
        return PLATFORM_NONE;
    int result = HoldsDosnet(amd64) ? PLATFORM_X64 : PLATFORM_NONE;
    strcpy(path, amd64);
    return result;
}
