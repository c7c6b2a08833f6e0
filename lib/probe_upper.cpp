// Probe spelling of HARVEL.
#include "platform.h"

const char *const kI386FolderSuffix = "\\I386";
