// Path text helpers: pure string work, no file system access.
#pragma once

#include <cstddef>

// One path of up to 260 characters and its terminator.
constexpr size_t PATH_CHARS = 260;
constexpr size_t PATH_BUF = PATH_CHARS + 1;

// Joins up to four pieces into out (capacity cap). Answers false, leaving out
// empty, when the result would not fit: a path is never silently cut.
bool JoinPath(char *out, size_t cap, const char *a, const char *b = "", const char *c = "",
              const char *d = "");

// Copies src into out when it fits; answers false (out unchanged) otherwise.
bool CopyText(char *out, size_t cap, const char *src);

// Takes a path value from the command line into out (a path buffer): at
// most PATH_CHARS characters, one trailing backslash dropped. False, out
// unchanged, when it is too long.
bool TakePathValue(const char *value, char *out);

// A path split the way the C runtime's _splitpath splits it.
struct PathPieces {
    char drive[3];         // "D:" or empty
    char dir[PATH_BUF];    // folders with their backslashes: "\dist\i386\"
    char name[PATH_BUF];   // file name without extension
    char ext[PATH_BUF];    // extension with its dot, or empty
};

// Splits path (at most PATH_CHARS characters; longer paths are cut per piece).
void SplitPath(const char *path, PathPieces &out);

namespace FILE_FUNCTIONS {

// Drive and folders of path, one trailing backslash removed:
// 'D:\dist\i386\setup.exe' gives 'D:\dist\i386'. out is a path buffer.
char *DIRPART(char *out, const char *path);

// Drops the last n components of path, in place; rebuilt with single
// backslashes and none at either end. Nothing is dropped when the path has
// n components or fewer.
char *CUTPATH(char *path, int n);

}  // namespace FILE_FUNCTIONS
