#include "banner.h"

#include <cstdio>

static const char kCompilerName[] = "MinGW-GCC";
static const unsigned kCompilerVersion = 0x0560;

void PrintBanner(const char *title)
{
    printf("%s", title);
    printf(" [ %s %s ] ", __DATE__, __TIME__);
    printf(" %s 0x%04X\n", kCompilerName, kCompilerVersion);
}
