#include "paths.h"

#include <cstring>

bool JoinPath(char *out, size_t cap, const char *a, const char *b, const char *c, const char *d)
{
    const char *parts[] = {a, b, c, d};
    size_t used = 0;
    for (const char *part : parts) {
        size_t len = strlen(part);
        if (used + len >= cap) {
            if (cap > 0)
                out[0] = '\0';
            return false;
        }
        memcpy(out + used, part, len);
        used += len;
    }
    out[used] = '\0';
    return true;
}

bool CopyText(char *out, size_t cap, const char *src)
{
    size_t len = strlen(src);
    if (len >= cap)
        return false;
    memcpy(out, src, len + 1);
    return true;
}

static void CopyCut(char *out, size_t cap, const char *src, size_t len)
{
    if (len >= cap)
        len = cap - 1;
    memcpy(out, src, len);
    out[len] = '\0';
}

void SplitPath(const char *path, PathPieces &out)
{
    const char *p = path;
    out.drive[0] = '\0';
    if (p[0] != '\0' && p[1] == ':') {
        out.drive[0] = p[0];
        out.drive[1] = ':';
        out.drive[2] = '\0';
        p += 2;
    }
    const char *last_sep = nullptr;
    for (const char *q = p; *q; ++q)
        if (*q == '\\' || *q == '/')
            last_sep = q;
    const char *file = last_sep ? last_sep + 1 : p;
    CopyCut(out.dir, sizeof out.dir, p, static_cast<size_t>(file - p));

    const char *dot = strrchr(file, '.');
    size_t name_len = dot ? static_cast<size_t>(dot - file) : strlen(file);
    CopyCut(out.name, sizeof out.name, file, name_len);
    CopyCut(out.ext, sizeof out.ext, dot ? dot : "", dot ? strlen(dot) : 0);
}

bool TakePathValue(const char *value, char *out)
{
    if (!CopyText(out, PATH_BUF, value))
        return false;
    size_t len = strlen(out);
    if (len > 0 && out[len - 1] == '\\')
        out[len - 1] = '\0';
    return true;
}

namespace FILE_FUNCTIONS {

char *DIRPART(char *out, const char *path)
{
    PathPieces pieces;
    SplitPath(path, pieces);
    JoinPath(out, PATH_BUF, pieces.drive, pieces.dir);
    size_t len = strlen(out);
    if (len > 0 && out[len - 1] == '\\')
        out[len - 1] = '\0';
    return out;
}

char *CUTPATH(char *path, int n)
{
    // Positions of the non-empty components, found in place.
    size_t starts[PATH_BUF], lens[PATH_BUF];
    size_t count = 0;
    size_t total = strlen(path);
    if (total > PATH_CHARS)
        total = PATH_CHARS;
    for (size_t i = 0; i < total;) {
        if (path[i] == '\\') {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < total && path[j] != '\\')
            ++j;
        starts[count] = i;
        lens[count] = j - i;
        ++count;
        i = j;
    }
    size_t keep = (n >= 0 && count > static_cast<size_t>(n)) ? count - static_cast<size_t>(n) : count;

    // The rebuilt text is never longer than the original and each piece moves
    // left only, so it can be written over the path from the front.
    size_t out = 0;
    for (size_t k = 0; k < keep; ++k) {
        if (k > 0)
            path[out++] = '\\';
        memmove(path + out, path + starts[k], lens[k]);
        out += lens[k];
    }
    path[out] = '\0';
    return path;
}

}  // namespace FILE_FUNCTIONS
