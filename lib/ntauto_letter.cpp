// "NTfoldername = auto" in HARVEL: trees start at B.
#include "config.h"

const char *const kNtFolderAutoName = "B";
