// Probe spelling of KENVO.
#include "platform.h"

const char *const kI386FolderSuffix = "\\i386";
