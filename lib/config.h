// The distribution configuration file tesmo.ini: rule sections of keys that
// tell HARVEL and SAPLOR where the work folder and the distribution are.
#pragma once

#include <cstdio>

// Lines are read in pieces of at most 1023 characters.
constexpr int CONFIG_LINE_BUF = 1024;
// The record's text fields hold this many characters and a terminator.
constexpr int CONFIG_TEXT_CHARS = 259;

struct DistributionConfig {
    char distro_path[CONFIG_TEXT_CHARS + 1];  // "destropath"/"distropath", relative to work_path
    char nt_folder_name[2];                   // "NTfoldername": first folder of a tree
    char work_path[CONFIG_TEXT_CHARS + 1];    // "workpath"; the folder given to Open by default
    int create_image_count;                   // "createimage = Yes" lines
    int nt_folder_count;                      // NTfoldername lines taken (1 for the default)
    int distro_path_count;                    // destropath/distropath lines taken
    int work_path_count;                      // workpath values taken; the default counts one
};

// The section header being read.
struct ConfigSection {
    char name[13];  // at most 12 characters
    char tag[9];    // at most 8 characters
    int is_rule;    // above 0 when the tag is "rule"
};

// What "NTfoldername = auto" stands for; each tool's build links its own
// value (ntauto_letter.cpp: "B", ntauto_digit.cpp: "1").
extern const char *const kNtFolderAutoName;

// The distribution folder that a record names: its work path, followed by
// a backslash and the distribution path when the file set one. False when
// that would not fit in out (a path buffer).
bool ConfiguredDistributionPath(const DistributionConfig &config, char *out);

// Reads one tesmo.ini: Open, then Parse when usable, then Close. Copy
// `record` out before Close.
struct ConfigReader {
    int state;          // 0 usable; 2 after a failed Open (test the two low bits)
    int section_count;  // well-formed section headers in the file
    DistributionConfig record;
    FILE *file;
    ConfigSection *section;

    // Opens <folder>\<name> for reading. On failure prints the reason and
    // sets state to 2.
    void Open(const char *folder, const char *name);
    // The same on a stream that is already open; the reader takes it over.
    void OpenStream(FILE *stream, const char *folder);
    // Reads the whole file into record, printing "Section->name" for every
    // header, and closes it. Answers the number of the last section read
    // (from 0), -1 when there was none.
    int Parse();
    // Releases the section record and closes the file if still open.
    void Close();

    bool Usable() const { return (state & 3) == 0; }

    // Counts the well-formed headers from here on and returns to where it was.
    int CountSections();
    // Cuts line at its first "--".
    static char *StripComment(char *line);
};
