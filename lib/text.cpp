#include "text.h"

#include <cstring>

namespace STRING_FUNCRTIONS {

char *TRIM(char *text)
{
    char *rest = text;
    while (*rest == ' ')
        ++rest;
    if (*rest == '\0')
        return text;  // empty or only spaces: unchanged

    size_t len = strlen(rest);
    size_t keep = len;
    while (keep > 0 && (rest[keep - 1] == ' ' || rest[keep - 1] == '\t' || rest[keep - 1] == '\n'))
        --keep;
    if (keep > 0)
        len = keep;  // a remainder made only of blanks is not cut

    memmove(text, rest, len);
    text[len] = '\0';
    return text;
}

char *CASE(char *text, int mode)
{
    for (char *p = text; *p; ++p) {
        if (mode == 1 && *p >= 'a' && *p <= 'z')
            *p = static_cast<char>(*p - 'a' + 'A');
        else if (mode == 2 && *p >= 'A' && *p <= 'Z')
            *p = static_cast<char>(*p - 'A' + 'a');
    }
    return text;
}

}  // namespace STRING_FUNCRTIONS

static char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(const char *a, const char *b)
{
    for (; *a && *b; ++a, ++b)
        if (LowerAscii(*a) != LowerAscii(*b))
            return false;
    return *a == *b;
}

bool StartsWithNoCase(const char *text, const char *prefix)
{
    for (; *prefix; ++text, ++prefix)
        if (*text == '\0' || LowerAscii(*text) != LowerAscii(*prefix))
            return false;
    return true;
}
