// Reading a distribution's DOSNET.INF and LAYOUT.INF: the directory table,
// the lists of files to take, and the lines that name CD tag files. Pure
// text work on open streams; the file taking itself is in taking.cpp.
#pragma once
#include <cstdio>

#include "lines.h"

// [Directories] keeps the first ten lines that are not blank.
constexpr int DIRECTORY_SLOTS = 10;

// One [Directories] line: "d1 = \i386". A line is at most one read piece,
// so key and value always fit.
struct DirectoryEntry {
    char key[SETUP_LINE_BUF];
    char value[SETUP_LINE_BUF];
    bool defined;  // false for a line without "="
};

struct DirectoryTable {
    DirectoryEntry slots[DIRECTORY_SLOTS];
    int used;
};

// Fills table from the last [Directories] section of the file (read from
// where the stream stands to its end).
void ReadDirectoryTable(FILE *dosnet, DirectoryTable &table);

// The first defined entry whose key equals key in any letter case.
const DirectoryEntry *FindDirectory(const DirectoryTable &table, const char *key);

enum ListKind { LIST_OTHER, LIST_FLOPPY, LIST_CMDCONS };

// The kind of list a header line ("[FloppyFiles.1]") starts.
ListKind ListKindOf(const char *header);

// Called for every line of a FloppyFiles or CmdConsFiles list that is not
// blank, in file order; line is trimmed and may be changed.
typedef void (*ListLineVisitor)(ListKind kind, char *line, void *context);
void ReadFileLists(FILE *dosnet, ListLineVisitor visit, void *context);

// "key,source" or "key,source,target", split in place. The fields are not
// trimmed. False for a line without a comma.
struct FloppyLine {
    const char *key;
    const char *source;
    const char *target;
};
bool SplitFloppyLine(char *line, FloppyLine &out);

// The kinds of CD tag file a LAYOUT.INF line can name.
enum TagKind { TAG_NONE, TAG_SP, TAG_WINDOWS };
TagKind TagKindOf(const char *line);

// The quoted name after the first "=" of a tag line, cut out in place;
// nullptr when the line has no "=" or the value no double quote.
char *TagNameOf(char *line);

// Names taken from the distribution's files decide where HARVEL writes, so
// they are checked before use. A name joined after a backslash (a file of a
// list) must be a relative name; a folder name joined directly to a folder
// (a directory value, a tag name) must begin with a backslash. Neither may
// hold a drive, a stream colon or a ".." step.
bool IsRelativeName(const char *name);
bool IsRootedName(const char *name);
