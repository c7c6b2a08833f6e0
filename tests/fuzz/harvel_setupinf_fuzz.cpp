// DOSNET.INF and LAYOUT.INF readers over arbitrary file contents: no
// crash, no overrun, every text terminated within its buffer, and every
// name the checks pass free of drives and steps up.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "setupinf.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// Whether any step of name, blanks left out, is two dots or more and
// nothing else.
bool HasStepUp(const char *name)
{
    std::string step;
    for (const char *p = name;; ++p) {
        if (*p == '\\' || *p == '/' || *p == '\0') {
            if (step.size() >= 2 && step.find_first_not_of('.') == std::string::npos)
                return true;
            if (*p == '\0')
                return false;
            step.clear();
        } else if (*p != ' ') {
            step += *p;
        }
    }
}

void CheckName(const char *name)
{
    Check(strlen(name) < SETUP_LINE_BUF);
    if (IsRelativeName(name) || IsRootedName(name))
        Check(!strchr(name, ':') && !HasStepUp(name));
}

void VisitLine(ListKind kind, char *line, void *)
{
    Check(kind == LIST_FLOPPY || kind == LIST_CMDCONS);
    Check(strlen(line) < SETUP_LINE_BUF && line[0] != '\n' && line[0] != '[');
    CheckName(line);
    FloppyLine fields;
    if (SplitFloppyLine(line, fields)) {
        CheckName(fields.key);
        CheckName(fields.source);
        CheckName(fields.target);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *in = tmpfile();
    if (!in)
        return 0;
    fwrite(data, 1, size, in);

    rewind(in);
    DirectoryTable table;
    memset(&table, 0xA5, sizeof table);
    table.used = 0;
    ReadDirectoryTable(in, table);
    Check(table.used >= 0 && table.used <= DIRECTORY_SLOTS);
    for (int i = 0; i < table.used; ++i) {
        const DirectoryEntry &slot = table.slots[i];
        if (!slot.defined)
            continue;
        Check(memchr(slot.key, 0, sizeof slot.key) && memchr(slot.value, 0, sizeof slot.value));
        CheckName(slot.value);
        Check(FindDirectory(table, slot.key) != nullptr);
    }

    rewind(in);
    ReadFileLists(in, VisitLine, nullptr);

    // The same bytes as LAYOUT.INF.
    rewind(in);
    char line[SETUP_LINE_BUF];
    while (ReadTrimmedLine(in, line)) {
        if (TagKindOf(line) == TAG_NONE)
            continue;
        const char *name = TagNameOf(line);
        if (name)
            CheckName(name);
    }
    fclose(in);
    return 0;
}
