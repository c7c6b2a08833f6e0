// Taking a distribution's boot and recovery-console files into boot folders.
#pragma once
#include "paths.h"

// What the command line and tesmo.ini decided.
struct TakerOptions {
    char source_path[PATH_BUF];
    char dest_path[PATH_BUF];
    int platform;       // PlatformCode
    int source_given;   // times a source path was set
    int dest_given;     // times a destination path was set
    int make_markers;   // 1: create the CD tag files named in LAYOUT.INF
};

struct PlatformInfo {
    char platform_name[PATH_BUF];  // "i386", "amd64" (as the user typed it) or "unknown"
    unsigned char sp_tag_data[8];  // written after "SP" into service-pack tag files
};

// Copies the files that DOSNET.INF lists from the distribution whose
// platform folder is platform_folder into boot folders below destination,
// adds WINNT.SIF, creates the tag files when asked, and checks that the
// root's i386 folder holds the loader. False when the run must fail.
bool TakeSetupFiles(const char *platform_folder, const char *destination, const TakerOptions &options,
                    const PlatformInfo &info);
