// "NTfoldername = auto" in SAPLOR: trees start at 1.
#include "config.h"

const char *const kNtFolderAutoName = "1";
