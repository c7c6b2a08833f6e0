#include "lines.h"

#include <cstring>

#include "text.h"

bool ReadTrimmedLine(FILE *in, char *line)
{
    if (!fgets(line, SETUP_LINE_BUF, in))
        return false;
    STRING_FUNCRTIONS::TRIM(line);
    return true;
}

char *ValueOfKey(char *line, const char *key)
{
    if (!StartsWithNoCase(line, key))
        return nullptr;
    char *equals = strchr(line, '=');
    if (!equals)
        return nullptr;
    return STRING_FUNCRTIONS::TRIM(equals + 1);
}
