#include "files.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace {

const DWORD kNotPlain = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
const DWORD kKeptAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
const DWORD kChunk = 16384;

// A bare 8.3 name that names nothing in the current folder.
bool MakeTempName(char name[13])
{
    static unsigned serial = 0;
    unsigned seed = (GetCurrentProcessId() * 2654435761u) ^ GetTickCount();
    for (int tries = 0; tries < 4096; ++tries) {
        unsigned value = (seed + serial++) & 0xFFFFFu;
        snprintf(name, 13, "$WD%05X.TMP", value);
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
            return true;
    }
    name[0] = '\0';
    return false;
}

// Packs a file time the way a DOS date and time keeps it (local time, even
// seconds) and unpacks it again.
bool RoundToPackedTime(const FILETIME &in, FILETIME &out)
{
    FILETIME local, rounded_local;
    WORD date, time;
    return FileTimeToLocalFileTime(&in, &local) && FileTimeToDosDateTime(&local, &date, &time) &&
           DosDateTimeToFileTime(date, time, &rounded_local) &&
           LocalFileTimeToFileTime(&rounded_local, &out);
}

}  // namespace

namespace FILE_FUNCTIONS {

bool EXIST(const char *path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool plain = false;
    do {
        if ((found.dwFileAttributes & kNotPlain) == 0)
            plain = true;
    } while (!plain && FindNextFileA(search, &found));
    FindClose(search);
    return plain;
}

int TRYCREATE(const char *path)
{
    int fd = _open(path, _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return -1;
    _close(fd);
    return 0;
}

char *WORKDIR(const char *path, char *out)
{
    char temp_name[13] = {0};
    if (!MakeTempName(temp_name)) {
        printf("Unable to create temp file name.\n");
        return nullptr;
    }

    char folder[PATH_BUF];
    char probe[PATH_BUF];
    char result[PATH_BUF];
    DIRPART(folder, path);
    bool probe_fits = JoinPath(probe, sizeof probe, folder, "\\", temp_name);

    if (probe_fits && TRYCREATE(probe) == 0) {
        CopyText(result, sizeof result, folder);
    } else {
        const char *fallback = getenv("TMP");
        if (!fallback)
            fallback = getenv("TEMP");
        if (!fallback)
            fallback = getenv("RAMD");
        if (!fallback)
            fallback = "C:";
        if (!JoinPath(result, sizeof result, fallback, "\\"))
            JoinPath(result, sizeof result, "C:", "\\");  // an unusable variable
    }

    if (probe_fits && EXIST(probe) && remove(probe) != 0) {
        fprintf(stderr, "%s: %s\n", probe, strerror(errno));
        return nullptr;
    }
    CopyText(out, PATH_BUF, result);
    return out;
}

int MKTREE(const char *path)
{
    PathPieces pieces;
    SplitPath(path, pieces);

    char work[PATH_BUF];
    int created = 0;
    if (!JoinPath(work, sizeof work, pieces.drive, "\\"))
        return 0;

    auto step = [&](const char *folder) {
        if (!JoinPath(work, sizeof work, work, folder))
            return false;
        if (!DIREXIST(work) && CreateDirectoryA(work, nullptr))
            ++created;
        return true;
    };

    // Folders of the folder part, split at backslashes.
    char dirs[PATH_BUF];
    CopyText(dirs, sizeof dirs, pieces.dir);
    for (char *part = dirs; *part;) {
        char *sep = strchr(part, '\\');
        if (sep)
            *sep = '\0';
        if (*part) {
            if (!step(part) || !JoinPath(work, sizeof work, work, "\\"))
                return created;
        }
        if (!sep)
            break;
        part = sep + 1;
    }
    // Without an extension the last component is a folder as well.
    if (pieces.ext[0] == '\0' && pieces.name[0] != '\0')
        step(pieces.name);
    return created;
}

bool CHECKFILES(const char *folder, const FileNameEntry *table, int count)
{
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        if (table[i][0] == '\0')
            continue;
        char path[PATH_BUF];
        char name[sizeof(FileNameEntry)];
        memcpy(name, table[i], sizeof name);
        name[sizeof name - 1] = '\0';
        if (!JoinPath(path, sizeof path, folder ? folder : ".", "\\", name) || !EXIST(path)) {
            printf(" -- No file %s\n", name);
            ++missing;
        }
    }
    if (missing > 0)
        printf("and so on\n");
    return missing == 0;
}

}  // namespace FILE_FUNCTIONS

void ProgramFolder(char *out)
{
    char exe[MAX_PATH + 1] = {0};
    DWORD got = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (got == 0 || got >= MAX_PATH)
        exe[0] = '\0';
    FILE_FUNCTIONS::DIRPART(out, exe);
}

bool CopyFileKeepingTime(const char *source, const char *destination, unsigned long attributes)
{
    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) {
        printf("%s  %s\n", "Cannot open source file", source);
        return false;
    }
    HANDLE out = CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        printf("%s  %s\n", "Cannot create destination file", destination);
        CloseHandle(in);
        return false;
    }

    static char buffer[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, buffer, kChunk, &got, nullptr)) {
            // A copy cut short by a read error is no copy: say so.
            printf("%s - %s\n", "Read error on source file.", source);
            CloseHandle(in);
            CloseHandle(out);
            return false;
        }
        if (got == 0)
            break;
        DWORD put = 0;
        if (!WriteFile(out, buffer, got, &put, nullptr) || put < got) {
            printf("%s - %s\n", "Write error on destination file.", destination);
            CloseHandle(in);
            CloseHandle(out);
            return false;
        }
    }

    FILETIME created, accessed, written, packed;
    if (GetFileTime(in, &created, &accessed, &written) && RoundToPackedTime(written, packed))
        SetFileTime(out, nullptr, nullptr, &packed);
    CloseHandle(in);
    CloseHandle(out);

    // Read-only goes on last, so that nothing set before it is refused.
    DWORD kept = attributes & kKeptAttributes;
    DWORD writable = kept & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(destination, writable ? writable : FILE_ATTRIBUTE_NORMAL);
    if (kept & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesA(destination, kept);
    return true;
}
