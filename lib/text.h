// Text operations shared by the console tools. All of them work in the
// caller's terminated buffer and hand it back.
#pragma once

namespace STRING_FUNCRTIONS {

// Drops leading spaces and trailing spaces, tabs and line feeds. A text of
// nothing but spaces is left alone, and so is a remainder made only of
// trailing blanks: a blank line read from a file keeps its line feed.
char *TRIM(char *text);

// mode 1: a-z to upper case; mode 2: A-Z to lower case; other modes: no change.
char *CASE(char *text, int mode);

}  // namespace STRING_FUNCRTIONS

// ASCII letter-case-blind comparisons (the same on every platform).
bool EqualsNoCase(const char *a, const char *b);
bool StartsWithNoCase(const char *text, const char *prefix);
