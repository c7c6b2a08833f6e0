// Reading a distribution's setup files line by line.
#pragma once

#include <cstdio>

// Setup-file lines are read in pieces of at most 199 characters; the rest
// of a longer line comes back as a line of its own.
constexpr int SETUP_LINE_BUF = 200;

// Reads the next piece into line (SETUP_LINE_BUF bytes) and trims it.
// False at the end of the file.
bool ReadTrimmedLine(FILE *in, char *line);

// When line begins with key (any letter case) and holds an "=", the text
// after the first "=", trimmed in place; otherwise nullptr.
char *ValueOfKey(char *line, const char *key);
