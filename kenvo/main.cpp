// KENVO: reports a Windows XP distribution's product name, platform,
// language and service pack, on the console or into rozevazu.log.
//
//   kenvo -s:<distribution> [-d:<report folder>] [-m:<mode>] [items...]
//
// Exit code 0 when the report was made or the help shown, 1 on any failure.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "banner.h"
#include "files.h"
#include "paths.h"
#include "platform.h"
#include "report.h"
#include "text.h"

namespace {

enum { EXIT_REPORTED = 0, EXIT_FAILED = 1 };

struct ReportRequest {
    char source_path[PATH_BUF];
    char report_folder[PATH_BUF];
    int source_count;
    bool to_report_file;
    int output_mode;
    int productname_count;
    int language_count;
    int platform_count;
    int svcpack_count;
};

// The files that make a folder a distribution; the empty entry is skipped.
const FileNameEntry kRequiredFiles[] = {"layout.inf",  "",           "TXTSETUP.SIF",
                                        "WINNTBBU.DLL", "WINNT32.EXE", "dosnet.inf"};

const char kTerminate[] = "Programm Teminate.\n";

void PrintHelp()
{
    PrintBanner("KENVO (version 1.26b)");
    printf("KENVO by Quorvel.\n"
           "\n"
           "http://www.quorvel.example/tools/\n"
           "Vermitane.\n"
           "LORIDAN (?Hh)(sS)(dD)]\n"
           "\n"
           "-?,H              This help screen.\n"
           "-M                output mode.\n"
           "-S                Source Path.\n"
           "-D                Report file Path.\n"
           " * if Report file mode then cant put to output.\n"
           "productname       Name of version\n"
           "Platform          Platform( x64 or x86 ).\n"
           "Language          Localization.\n"
           "SvcPack           Number of Service Pack.\n");
}

void PrintOpenFailure(int error)
{
    printf("Can`t open file: %s\n%s", strerror(error), kTerminate);
}

}  // namespace

int main(int argc, char **argv)
{
    ReportRequest request;
    memset(&request, 0, sizeof request);

    // 1. The arguments, left to right.
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] == '-' || arg[0] == '/') {
            char letter = arg[1];
            bool has_value = letter != '\0' && arg[2] == ':';
            const char *value = has_value ? arg + 3 : "";
            switch (letter) {
            case '?':
            case 'h':
            case 'H':
                PrintHelp();
                return EXIT_REPORTED;
            case 's':
            case 'S':
            case 'd':
            case 'D': {
                if (!has_value)
                    break;
                bool source = letter == 's' || letter == 'S';
                if (!TakePathValue(value, source ? request.source_path : request.report_folder)) {
                    printf(" * Error! Very long line (source path). Programm Teminate.\n");
                    return EXIT_FAILED;
                }
                if (source)
                    ++request.source_count;
                else
                    request.to_report_file = true;
                break;
            }
            case 'm':
            case 'M':
                if (has_value)
                    request.output_mode = (value[0] >= '0' && value[0] <= '9') ? value[0] - '0' : 0;
                break;
            default:
                break;
            }
        } else if (EqualsNoCase(arg, "productname")) {
            ++request.productname_count;
        } else if (EqualsNoCase(arg, "Platform")) {
            ++request.platform_count;
        } else if (EqualsNoCase(arg, "Language")) {
            ++request.language_count;
        } else if (EqualsNoCase(arg, "SvcPack")) {
            ++request.svcpack_count;
        } else if (EqualsNoCase(arg, "all")) {
            ++request.productname_count;
            ++request.platform_count;
            ++request.language_count;
            ++request.svcpack_count;
        }
    }

    // 2. A source is required.
    if (request.source_count == 0) {
        printf("Please, do set source path. Programm Teminate.\n");
        return EXIT_FAILED;
    }

    // 3. The platform folder; room for the appended platform folder name.
    char platform_folder[PATH_BUF + 8];
    strcpy(platform_folder, request.source_path);
    if (FixatePlatform(platform_folder, sizeof platform_folder) == PLATFORM_NONE) {
        printf(" * Could not fixate distributive platform\n%s", kTerminate);
        return EXIT_FAILED;
    }

    // 4. The key files of a distribution.
    int table_size = static_cast<int>(sizeof kRequiredFiles / sizeof kRequiredFiles[0]);
    if (!FILE_FUNCTIONS::CHECKFILES(platform_folder, kRequiredFiles, table_size)) {
        printf(" * The program has counted that the catalogue\n * %s\n * is not distributive.\n",
               platform_folder);
        printf("%s", kTerminate);
        return EXIT_FAILED;
    }

    // 5-7. DOSNET.INF, LAYOUT.INF and PRODSPEC.INI, in this order.
    DistributionInfo info;
    memset(&info, 0, sizeof info);
    char path[PATH_BUF + 32];

    JoinPath(path, sizeof path, platform_folder, "\\dosnet.inf");
    FILE *in = fopen(path, "r");
    if (!in) {
        PrintOpenFailure(errno);
        return EXIT_FAILED;
    }
    ReadDosnet(in, info);
    fclose(in);

    JoinPath(path, sizeof path, platform_folder, "\\LAYOUT.inf");
    if (FILE_FUNCTIONS::EXIST(path)) {
        in = fopen(path, "r");
        if (!in) {
            PrintOpenFailure(errno);
            return EXIT_FAILED;
        }
        ReadProductName(in, info);
        fclose(in);
    }

    JoinPath(path, sizeof path, platform_folder, "\\PRODSPEC.INI");
    if (FILE_FUNCTIONS::EXIST(path) && (in = fopen(path, "r")) != nullptr) {
        ReadLocalization(in, info);
        fclose(in);
    }

    // 8. No item word: every item.
    ReportLayout layout;
    layout.output_mode = request.output_mode;
    layout.product_name = request.productname_count > 0;
    layout.platform = request.platform_count > 0;
    layout.language = request.language_count > 0;
    layout.service_pack = request.svcpack_count > 0;
    if (!layout.product_name && !layout.platform && !layout.language && !layout.service_pack)
        layout.product_name = layout.platform = layout.language = layout.service_pack = true;

    // 9-10. The report, into rozevazu.log or onto the console.
    if (request.to_report_file) {
        JoinPath(path, sizeof path, request.report_folder, "\\rozevazu.log");
        FILE *out = fopen(path, "w");
        if (!out) {
            printf(" * Can`t create or open resultat file.\n%s", kTerminate);
            return EXIT_FAILED;
        }
        WriteReport(out, layout, info);
        if (fclose(out) != 0) {
            printf(" * Can`t create or open resultat file.\n%s", kTerminate);
            return EXIT_FAILED;
        }
        printf(" * See report in %s\n", path);
    } else {
        WriteReport(stdout, layout, info);
    }
    return EXIT_REPORTED;
}
