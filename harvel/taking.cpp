#include "taking.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files.h"
#include "setupinf.h"
#include "text.h"

namespace {

const char kTerminate[] = "Programm Teminate.\n";
// "ERROR", then the Russian words for "no setup files" in code page 866.
const char kNoLoaderFiles[] =
    "ERROR\x8d:\xa5\xe2_\xe3\xe1\xe2\xa0\xad\xae\xa2\xae\xe7\xad\xeb\xe5_\xe4\xa0\xa9\xab\xae\xa2yyy??Custom: ";
const FileNameEntry kLoaderFiles[] = {"setupldr.bin", "ntdetect.com"};

// The dots of the progress line start again after this many FloppyFiles
// or CmdConsFiles copies.
const int kFloppyDots = 30;
const int kCmdConsDots = 50;

const unsigned char kWindowsTag[] = {'W', 'i', 'n', 'd', 'o', 'w', 's', '\n', 0};

struct TakingRun {
    const PlatformInfo *info;
    const char *root;         // the distribution root
    const char *destination;
    DirectoryTable directories;
    bool amd64;
    int files_taken;
    int dots;
};

void PassOver(const char *why, const char *name)
{
    printf(" * %s, passed over: %s\n", why, name);
}

void PrintOpenFailure(int error)
{
    printf("Can`t open file: %s\n%s", strerror(error), kTerminate);
}

// Opens <folder><name> as text: nullptr, with the message printed, when it
// is not a plain file or does not open.
FILE *OpenSetupFile(const char *folder, const char *name)
{
    char path[PATH_BUF];
    if (!JoinPath(path, sizeof path, folder, name) || !FILE_FUNCTIONS::EXIST(path)) {
        printf("Can`t find file %s%s.\n", folder, name);
        return nullptr;
    }
    FILE *file = fopen(path, "r");
    if (!file)
        PrintOpenFailure(errno);
    return file;
}

// The system's text for the last error, on one line.
void PrintLastErrorText()
{
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  GetLastError(), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = '\0';
    printf("%s\n", text);
}

// Removes whatever file is at path, read-only or not, so that a copy can
// take its place.
void ClearTarget(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path);
}

void ShowProgress(TakingRun &run, const char *name, int dots_per_line)
{
    printf("%d %12s", run.files_taken, name);
    for (int i = 0; i < run.dots; ++i)
        putchar('.');
    putchar('\r');
    ++run.dots;
    ++run.files_taken;
    if (run.dots == dots_per_line) {
        run.dots = 0;
        printf("\r%79s\r", "");
    }
}

// The copy attempts for one list line: the file as named, else its
// compressed form (last character "_"); for amd64 the same again from the
// root's i386 folder. True when a file was copied.
bool TakeFile(TakingRun &run, const char *source_folder, const char *source_name, const char *boot_folder,
              const char *target_name)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        char source[PATH_BUF];
        char target[PATH_BUF];
        bool fits = attempt == 0 ? JoinPath(source, sizeof source, source_folder, "\\", source_name)
                                 : JoinPath(source, sizeof source, run.root, "\\i386\\", source_name);
        if (!fits || !JoinPath(target, sizeof target, boot_folder, "\\", target_name)) {
            PassOver("Path too long", target_name);
            return false;
        }
        if (!FILE_FUNCTIONS::EXIST(source)) {
            source[strlen(source) - 1] = '_';
            target[strlen(target) - 1] = '_';
        }
        if (FILE_FUNCTIONS::EXIST(source)) {
            ClearTarget(target);
            return FILE_FUNCTIONS::COPY(source, target);
        }
        if (!run.amd64)
            break;
    }
    return false;
}

void TakeFloppyLine(TakingRun &run, char *line)
{
    FloppyLine fields;
    if (!SplitFloppyLine(line, fields))
        return;
    if (!IsRelativeName(fields.source) || !IsRelativeName(fields.target)) {
        PassOver("Name leaves its folder", IsRelativeName(fields.source) ? fields.target : fields.source);
        return;
    }

    char source_folder[PATH_BUF];
    char boot_folder[PATH_BUF];
    bool fits;
    const DirectoryEntry *directory = FindDirectory(run.directories, fields.key);
    if (directory) {
        if (!IsRootedName(directory->value)) {
            PassOver("Folder leaves the destination", directory->value);
            return;
        }
        fits = JoinPath(source_folder, sizeof source_folder, run.root, directory->value) &&
               JoinPath(boot_folder, sizeof boot_folder, run.destination, directory->value, "_");
    } else {
        fits = CopyText(source_folder, sizeof source_folder, run.root) &&
               CopyText(boot_folder, sizeof boot_folder, run.destination);
    }

    // The folder that will hold the target, a subfolder of the name included.
    char target_folder[PATH_BUF];
    if (!fits || !JoinPath(target_folder, sizeof target_folder, boot_folder, "\\", fields.target)) {
        PassOver("Path too long", fields.target);
        return;
    }
    FILE_FUNCTIONS::MKTREE(FILE_FUNCTIONS::CUTPATH(target_folder, 1));

    if (TakeFile(run, source_folder, fields.source, boot_folder, fields.target))
        ShowProgress(run, fields.target, kFloppyDots);
}

void TakeCmdConsLine(TakingRun &run, const char *name)
{
    if (!IsRelativeName(name)) {
        PassOver("Name leaves its folder", name);
        return;
    }
    const char *platform = run.info->platform_name;
    char source_folder[PATH_BUF];
    char boot_folder[PATH_BUF];
    if (!JoinPath(source_folder, sizeof source_folder, run.root, "\\", platform) ||
        !JoinPath(boot_folder, sizeof boot_folder, run.destination, "\\", platform, "_")) {
        PassOver("Path too long", name);
        return;
    }
    if (TakeFile(run, source_folder, name, boot_folder, name))
        ShowProgress(run, name, kCmdConsDots);
}

void TakeListLine(ListKind kind, char *line, void *context)
{
    TakingRun &run = *static_cast<TakingRun *>(context);
    if (kind == LIST_FLOPPY)
        TakeFloppyLine(run, line);
    else
        TakeCmdConsLine(run, line);
}

void TakeAnswerFile(const TakingRun &run)
{
    const char *platform = run.info->platform_name;
    char source[PATH_BUF];
    char target[PATH_BUF];
    if (!JoinPath(source, sizeof source, run.root, "\\", platform, "\\WINNT.SIF") ||
        !FILE_FUNCTIONS::EXIST(source))
        return;
    if (!JoinPath(target, sizeof target, run.destination, "\\", platform, "_\\WINNT.SIF")) {
        PassOver("Path too long", "WINNT.SIF");
        return;
    }
    ClearTarget(target);
    FILE_FUNCTIONS::COPY(source, target);
}

// Creates the tag file that one LAYOUT.INF line names, unless a file is
// already there.
void MakeTagFile(const TakingRun &run, TagKind kind, char *line)
{
    const char *name = TagNameOf(line);
    if (!name)
        return;
    if (!IsRootedName(name)) {
        PassOver("Tag file leaves the destination", name);
        return;
    }
    char path[PATH_BUF];
    if (!JoinPath(path, sizeof path, run.destination, name)) {
        PassOver("Path too long", name);
        return;
    }
    if (kind == TAG_WINDOWS)
        STRING_FUNCRTIONS::CASE(path, 1);
    if (FILE_FUNCTIONS::EXIST(path))
        return;

    // Opened without truncating first, so that a hidden or system file of
    // that name is emptied and rewritten instead of refused.
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    printf("[%s] ", name);
    unsigned char sp_tag[11] = {'S', 'P', 0};
    memcpy(sp_tag + 3, run.info->sp_tag_data, sizeof run.info->sp_tag_data);
    const void *content = kind == TAG_SP ? static_cast<const void *>(sp_tag) : kWindowsTag;
    DWORD size = kind == TAG_SP ? sizeof sp_tag : sizeof kWindowsTag;
    DWORD written = 0;
    SetEndOfFile(file);
    if (!WriteFile(file, content, size, &written, nullptr) || written != size)
        printf("Write error on destination file. - %s\n", path);
    CloseHandle(file);
}

// False when LAYOUT.INF is missing or does not open.
bool MakeTagFiles(const TakingRun &run, const char *platform_folder)
{
    FILE *layout = OpenSetupFile(platform_folder, "\\LAYOUT.inf");
    if (!layout)
        return false;
    printf("\n");
    char line[SETUP_LINE_BUF];
    while (ReadTrimmedLine(layout, line)) {
        TagKind kind = TagKindOf(line);
        if (kind != TAG_NONE)
            MakeTagFile(run, kind, line);
    }
    fclose(layout);
    return true;
}

// The loader files in the root's i386 folder, whatever the platform.
bool CheckLoaderFiles(const char *root)
{
    printf("\nCheck. Please wait...");
    char i386[PATH_BUF];
    if (JoinPath(i386, sizeof i386, root, "\\i386") && FILE_FUNCTIONS::CHECKFILES(i386, kLoaderFiles, 2)) {
        printf("\r%25s\rComplete.\n", "");
        return true;
    }
    printf("%s", kNoLoaderFiles);
    PrintLastErrorText();
    printf("%s", kTerminate);
    return false;
}

}  // namespace

bool TakeSetupFiles(const char *platform_folder, const char *destination, const TakerOptions &options,
                    const PlatformInfo &info)
{
    FILE_FUNCTIONS::MKTREE(destination);

    char root[PATH_BUF];
    CopyText(root, sizeof root, platform_folder);
    FILE_FUNCTIONS::CUTPATH(root, 1);

    FILE *dosnet = OpenSetupFile(platform_folder, "\\DOSNET.inf");
    if (!dosnet)
        return false;

    TakingRun run;
    memset(&run, 0, sizeof run);
    run.info = &info;
    run.root = root;
    run.destination = destination;
    run.amd64 = EqualsNoCase(info.platform_name, "amd64");

    ReadDirectoryTable(dosnet, run.directories);
    rewind(dosnet);
    ReadFileLists(dosnet, TakeListLine, &run);
    fclose(dosnet);

    TakeAnswerFile(run);

    if (options.make_markers == 1 && !MakeTagFiles(run, platform_folder))
        return false;
    return CheckLoaderFiles(root);
}
