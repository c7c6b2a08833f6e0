// File and folder operations of the console tools (Win32).
//
// Two operations come in more than one build; a tool links exactly one
// file of each pair, and everything else (MKTREE, FixatePlatform) uses
// whichever the tool linked:
//   DIREXIST  direxist_listing.cpp | direxist_lookup.cpp
//   COPY      copy_plain.cpp       | copy_keepattr.cpp
#pragma once

#include <cstddef>

#include "paths.h"

// One entry of a file-name table: up to 19 characters, zero padded.
// An entry that starts with the terminator is empty and skipped.
typedef char FileNameEntry[20];

namespace FILE_FUNCTIONS {

// True when path (wildcards allowed) names at least one plain file:
// hidden, system and folder entries are passed over.
bool EXIST(const char *path);

// True when path names a folder; which folders are seen depends on the build.
bool DIREXIST(const char *path);

// Creates (or empties) the file and closes it again: 0 on success, -1 when
// it cannot be created. The empty file stays.
int TRYCREATE(const char *path);

// A folder where temporary files can be made: the folder of path when a
// probe file can be created there (no trailing backslash), else TMP, TEMP,
// RAMD or "C:" with a backslash appended. out is a path buffer. Answers
// nullptr when no probe name can be had or the probe cannot be removed.
char *WORKDIR(const char *path, char *out);

// Copies source to destination byte for byte in 16 KiB chunks and gives the
// copy the source's last-write time (two-second resolution) and attributes.
// Prints its own message and answers false on failure.
bool COPY(const char *source, const char *destination);

// Creates every missing folder along path; a last component with an
// extension is taken for a file name. Answers how many folders it created.
int MKTREE(const char *path);

// Checks that folder (nullptr: the current one) holds every file of the
// table, printing " -- No file <name>" for each missing one and then
// "and so on" once. True when none is missing.
bool CHECKFILES(const char *folder, const FileNameEntry *table, int count);

}  // namespace FILE_FUNCTIONS

// The folder of the running program, without a trailing backslash; empty
// when it cannot be had. out is a path buffer.
void ProgramFolder(char *out);

// The copy both COPY builds share: data, last-write time, then the given
// attributes (read-only, hidden, system, archive) on the destination.
bool CopyFileKeepingTime(const char *source, const char *destination, unsigned long attributes);
