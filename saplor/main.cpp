// SAPLOR: creates below a destination the empty folder tree of a number of
// distributions: per distribution a folder with a one-character name, its
// platform subfolders, and a boot folder BT_ and the same character.
//
//   saplor [-d:<destination>] [-n:<count>] [-t:<first name>] [-p:X86|X64]
//
// Without -d: the destination and the first name come from tesmo.ini in
// the program folder. Exit code 0 when the help was shown or the tree was
// made, 1 when the run failed.
#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstring>

#include "banner.h"
#include "config.h"
#include "files.h"
#include "paths.h"
#include "platform.h"
#include "text.h"

namespace {

enum { EXIT_MADE = 0, EXIT_FAILED = 1 };

struct TreeOptions {
    char first_name[2];
    char dest_path[PATH_BUF];
    int platform;
    int tree_count;
    int dest_given;
    int name_given;
};

const FileNameEntry kConfigFile[] = {"tesmo.ini"};

const char kTooLong[] = " * Error! Very long line (source path). Programm Teminate.\n";
const char kNoPaths[] = "It was not possible to find paths. ";
const char kEmptyName[] = " * Error! Empty folder name. Programm Teminate.\n";

void PrintHelp()
{
    PrintBanner("SAPLOR (version 1.25)");
    printf("SAPLOR by Quorvel.\n"
           "\n"
           "http://www.quorvel.example/tools/\n"
           "Tavernisk.\n"
           "saplor (-/)[(?h)(d,p,n)]\n"
           "\n"
           "?,H          This help screen.\n"
           "D            Destination Path(Full path).\n"
           "N            Numbers of destributive\n"
           "P            Platform specified (x86 or x64)\n");
}

// A decimal number the way atoi reads it: leading blanks and one sign,
// digits up to the first other character, 0 without digits. Values past
// the range of int are held at its ends.
int ReadCount(const char *text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        if (value <= INT_MAX)
            value = value * 10 + (*text - '0');
    if (value > INT_MAX)
        value = INT_MAX;
    return static_cast<int>(negative ? -value : value);
}

// Characters that cannot name a folder on their own: a distribution with
// such a name gets no folders (a backslash or a dot would put the boot
// folder somewhere else than beside its distribution folder).
bool CanNameFolder(unsigned char c)
{
    return c > ' ' && c != 0x7F && strchr("\\/:*?\"<>|.", c) == nullptr;
}

// Completes the destination and the first name from tesmo.ini. False, with
// the message printed, when that is not possible.
bool ReadConfiguration(const char *program_folder, TreeOptions &options)
{
    if (!FILE_FUNCTIONS::CHECKFILES(program_folder, kConfigFile, 1)) {
        printf("Programm Teminate.\n");
        return false;
    }

    ConfigReader reader;
    reader.Open(program_folder, "tesmo.ini");
    bool parsed = false;
    DistributionConfig config;
    memset(&config, 0, sizeof config);
    if (reader.Usable()) {
        reader.Parse();
        config = reader.record;
        parsed = true;
    }
    reader.Close();

    if (parsed && config.work_path_count > 0) {
        if (!ConfiguredDistributionPath(config, options.dest_path)) {
            printf("%s", kTooLong);
            return false;
        }
        if (options.dest_path[0] != '\0')
            ++options.dest_given;
    }
    if (parsed && options.name_given == 0 && config.nt_folder_count > 0) {
        CopyText(options.first_name, sizeof options.first_name, config.nt_folder_name);
        ++options.name_given;
    }
    if (options.dest_given == 0) {
        printf(" * Error:%sProgramm Teminate.\n", kNoPaths);
        return false;
    }
    return true;
}

// Creates the folders of one distribution; true when its boot folder is new.
bool MakeDistribution(const TreeOptions &options)
{
    char folder[PATH_BUF + 16];
    const char *name = options.first_name;
    if (!CanNameFolder(static_cast<unsigned char>(name[0])))
        return false;

    if (JoinPath(folder, sizeof folder, options.dest_path, "\\", name)) {
        FILE_FUNCTIONS::MKTREE(folder);
        if (options.platform == PLATFORM_X86) {
            if (JoinPath(folder, sizeof folder, folder, "\\86"))
                FILE_FUNCTIONS::MKTREE(folder);
        } else if (options.platform == PLATFORM_X64) {
            // X64 beside i64, formed afresh: cutting the last component
            // off would lose the leading backslashes of a UNC or rooted path.
            if (JoinPath(folder, sizeof folder, options.dest_path, "\\", name, "\\i64"))
                FILE_FUNCTIONS::MKTREE(folder);
            if (JoinPath(folder, sizeof folder, options.dest_path, "\\", name, "\\X64"))
                FILE_FUNCTIONS::MKTREE(folder);
        }
    }
    return JoinPath(folder, sizeof folder, options.dest_path, "\\BT_", name) &&
           FILE_FUNCTIONS::MKTREE(folder) > 0;
}

}  // namespace

int main(int argc, char **argv)
{
    char program_folder[PATH_BUF];
    ProgramFolder(program_folder);

    TreeOptions options;
    memset(&options, 0, sizeof options);
    strcpy(options.first_name, "1");
    options.tree_count = 1;

    // The arguments, left to right.
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] != '-' && arg[0] != '/')
            continue;
        char letter = arg[1];
        if (letter == '?' || letter == 'h' || letter == 'H') {
            PrintHelp();
            return EXIT_MADE;
        }
        if (letter == '\0' || arg[2] != ':')
            continue;
        const char *value = arg + 3;
        switch (letter) {
        case 'd':
        case 'D': {
            if (value[0] == '\0')
                break;  // no destination given
            if (!TakePathValue(value, options.dest_path)) {
                printf("%s", kTooLong);
                return EXIT_FAILED;
            }
            ++options.dest_given;
            break;
        }
        case 'n':
        case 'N':
            options.tree_count = ReadCount(value);
            break;
        case 't':
        case 'T':
            // The name is one character: a longer value gives its first.
            options.first_name[0] = value[0];
            options.first_name[1] = '\0';
            ++options.name_given;
            break;
        case 'p':
        case 'P':
            if (EqualsNoCase(value, "X86"))
                options.platform = PLATFORM_X86;
            else if (EqualsNoCase(value, "X64"))
                options.platform = PLATFORM_X64;
            else
                options.platform = PLATFORM_NONE;
            break;
        default:
            break;
        }
    }

    // The destination, and maybe the first name, from tesmo.ini.
    if (options.dest_given == 0 && !ReadConfiguration(program_folder, options))
        return EXIT_FAILED;
    if (options.first_name[0] == '\0') {
        printf("%s", kEmptyName);
        return EXIT_FAILED;
    }

    printf("\n%s\n", options.dest_path);
    printf("Create TREE - ");
    fflush(stdout);

    // The names run by character code; after 256 of them they repeat, so
    // further rounds could create nothing new.
    int new_boot_folders = 0;
    for (int k = 0; k < options.tree_count && k < 256; ++k) {
        if (MakeDistribution(options))
            ++new_boot_folders;
        options.first_name[0] = static_cast<char>(static_cast<unsigned char>(options.first_name[0]) + 1);
    }

    printf("%s.\n", new_boot_folders > 0 ? "Comlete" : "not the case");
    return EXIT_MADE;
}
