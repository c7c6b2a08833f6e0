// HARVEL: takes the boot and recovery-console files of a Windows XP
// distribution into boot folders of a destination, and tells the batch
// file the platform it found.
//
//   harvel [-s:<distribution>] [-d:<destination>] [-p:i386|amd64] [-m]
//
// A path left off comes from tesmo.ini in the program folder. Exit code 1
// for an x86 distribution, 2 for x64, 3 when the run failed, 0 after help.
#include <cstdio>
#include <cstring>

#include "banner.h"
#include "config.h"
#include "files.h"
#include "paths.h"
#include "platform.h"
#include "taking.h"
#include "text.h"

namespace {

enum { EXIT_HELP = 0, EXIT_FAILED = 3 };

const FileNameEntry kConfigFile[] = {"tesmo.ini"};
// The files that make a platform folder a distribution.
const FileNameEntry kKeyFiles[] = {"layout.inf", "TXTSETUP.SIF", "WINNTBBU.DLL", "WINNT32.EXE", "dosnet.inf"};

const char kTerminate[] = "Programm Teminate.\n";
const char kTooLong[] = " * Error! Very long line (source path). Programm Teminate.\n";

void PrintHelp()
{
    PrintBanner("HARVEL (version 1.27b)");
    printf("HARVEL by Quorvel.\n"
           "\n"
           "http://www.quorvel.example/tools/\n"
           "Grennafold(extractor).\n"
           "HARVEL (-/)[(?Hh)(sS)(dD)(pP)]\n"
           "\n"
           "?,H,h         This help screen.\n"
           "s,S           Source Path.\n"
           "d,D           Destination Path.\n"
           "m,M           Create markers.\n"
           "p,P           Platform specified\n"
           "              i368, amd64\n"
           "\n"
           "ERRORLEVELS:\n"
           "\t1 - x86 destributive found.\n"
           "\t2 - x64 destributive found.\n"
           "\t3 - error exit code\n");
}

// Completes the paths left off the command line from tesmo.ini: both
// become the configured distribution folder. False, with the message
// printed, when that is not possible.
bool CompletePaths(const char *program_folder, TakerOptions &options)
{
    if (!FILE_FUNCTIONS::CHECKFILES(program_folder, kConfigFile, 1)) {
        printf("%s", kTerminate);
        return false;
    }
    ConfigReader reader;
    reader.Open(program_folder, "tesmo.ini");
    bool found = false;
    if (reader.Usable() && reader.Parse() >= 0) {
        char configured[PATH_BUF];
        if (!ConfiguredDistributionPath(reader.record, configured)) {
            reader.Close();
            printf("%s", kTooLong);
            return false;
        }
        if (options.source_given == 0) {
            CopyText(options.source_path, sizeof options.source_path, configured);
            ++options.source_given;
        }
        if (options.dest_given == 0) {
            CopyText(options.dest_path, sizeof options.dest_path, configured);
            ++options.dest_given;
        }
        found = true;
    }
    reader.Close();
    if (!found) {
        printf(" * Error:%s%s", "It was not possible to find paths. ", kTerminate);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    char program_folder[PATH_BUF];
    ProgramFolder(program_folder);

    TakerOptions options;
    PlatformInfo info;
    memset(&options, 0, sizeof options);
    memset(&info, 0, sizeof info);

    // The arguments, left to right.
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] != '-' && arg[0] != '/')
            continue;
        char letter = arg[1];
        if (letter == '?' || letter == 'h' || letter == 'H') {
            PrintHelp();
            return EXIT_HELP;
        }
        if (letter == 'm' || letter == 'M') {
            options.make_markers = 1;
            continue;
        }
        if (letter == '\0' || arg[2] != ':')
            continue;
        const char *value = arg + 3;
        switch (letter) {
        case 's':
        case 'S':
            if (!TakePathValue(value, options.source_path)) {
                printf("%s", kTooLong);
                return EXIT_FAILED;
            }
            ++options.source_given;
            break;
        case 'd':
        case 'D':
            if (!TakePathValue(value, options.dest_path)) {
                printf("%s", kTooLong);
                return EXIT_FAILED;
            }
            ++options.dest_given;
            break;
        case 'p':
        case 'P':
            if (EqualsNoCase(value, "i386"))
                options.platform = PLATFORM_X86;
            else if (EqualsNoCase(value, "amd64"))
                options.platform = PLATFORM_X64;
            else
                options.platform = PLATFORM_NONE;
            if (options.platform == PLATFORM_NONE || !CopyText(info.platform_name, sizeof info.platform_name, value))
                strcpy(info.platform_name, "unknown");
            break;
        default:
            break;
        }
    }

    if ((options.source_given == 0 || options.dest_given == 0) && !CompletePaths(program_folder, options))
        return EXIT_FAILED;

    // The platform folder: named by -p, or found by the probe.
    char platform_folder[PATH_BUF];
    CopyText(platform_folder, sizeof platform_folder, options.source_path);
    if (options.platform == PLATFORM_X86 || options.platform == PLATFORM_X64) {
        if (!JoinPath(platform_folder, sizeof platform_folder, options.source_path, "\\", info.platform_name)) {
            printf("%s", kTooLong);
            return EXIT_FAILED;
        }
    } else {
        int found = FixatePlatform(platform_folder, sizeof platform_folder);
        strcpy(info.platform_name, found == PLATFORM_X86 ? "i386" : "amd64");
        options.platform = found == PLATFORM_X86 ? PLATFORM_X86 : PLATFORM_X64;
        if (found == PLATFORM_NONE) {
            printf(" * The program could not fixate distributive platform\n%s", kTerminate);
            return EXIT_FAILED;
        }
    }

    printf("Check ...\n");
    if (!FILE_FUNCTIONS::CHECKFILES(platform_folder, kKeyFiles, 5)) {
        printf(" * The program has counted that the catalogue\n * %s\n * is not distributive.\n%s",
               platform_folder, kTerminate);
        return EXIT_FAILED;
    }

    printf("Succ.\n");
    if (!TakeSetupFiles(platform_folder, options.dest_path, options, info))
        return EXIT_FAILED;
    return options.platform;
}
