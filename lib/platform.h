// Finding a distribution's platform folder.
#pragma once

#include <cstddef>

enum PlatformCode { PLATFORM_NONE = 0, PLATFORM_X86 = 1, PLATFORM_X64 = 2 };

// path (capacity cap) names a distribution root or its platform folder. A
// trailing i386/amd64 component is dropped, then <path>\i386 and
// <path>\AMD64 are tried for a DOSNET.INF. On return path holds the last
// candidate tried (the i386 one for 1, the amd64 one for 2 and 0). The
// spelling of the appended i386 folder is the tool's own (probe_*.cpp).
// A candidate that would not fit in cap is not tried and path stays as it was.
int FixatePlatform(char *path, size_t cap);

// "\I386" or "\i386", defined by the probe file the tool links.
extern const char *const kI386FolderSuffix;
