#include "setupinf.h"

#include <cstring>

#include "paths.h"
#include "text.h"

namespace {

bool IsBlank(const char *line)
{
    return line[0] == '\n';
}

bool IsHeader(const char *line)
{
    return line[0] == '[';
}

// The name of a section: the text after "[" and any spaces.
const char *HeaderName(const char *header)
{
    const char *name = header + 1;
    while (*name == ' ')
        ++name;
    return name;
}

// Copies text[0..length) into out (SETUP_LINE_BUF bytes) and trims it.
void TakeTrimmed(char *out, const char *text, size_t length)
{
    if (length >= SETUP_LINE_BUF)
        length = SETUP_LINE_BUF - 1;
    memcpy(out, text, length);
    out[length] = '\0';
    STRING_FUNCRTIONS::TRIM(out);
}

void TakeSlot(DirectoryEntry &slot, const char *line)
{
    const char *equals = strchr(line, '=');
    slot.defined = equals != nullptr;
    if (!equals) {
        slot.key[0] = slot.value[0] = '\0';
        return;
    }
    TakeTrimmed(slot.key, line, static_cast<size_t>(equals - line));
    TakeTrimmed(slot.value, equals + 1, strlen(equals + 1));
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// A path step made only of dots and blanks with two dots or more: Windows
// reads it as a step up.
bool IsUpStep(const char *step, size_t length)
{
    int dots = 0;
    for (size_t i = 0; i < length; ++i) {
        if (step[i] == '.')
            ++dots;
        else if (step[i] != ' ')
            return false;
    }
    return dots >= 2;
}

// No drive or stream colon and no step up anywhere in name.
bool StaysInside(const char *name)
{
    if (strchr(name, ':'))
        return false;
    const char *step = name;
    for (const char *p = name;; ++p) {
        if (*p == '\0' || IsSeparator(*p)) {
            if (IsUpStep(step, static_cast<size_t>(p - step)))
                return false;
            if (*p == '\0')
                return true;
            step = p + 1;
        }
    }
}

}  // namespace

void ReadDirectoryTable(FILE *dosnet, DirectoryTable &table)
{
    char line[SETUP_LINE_BUF];
    bool have_line = ReadTrimmedLine(dosnet, line);
    while (have_line) {
        if (!IsHeader(line) || !StartsWithNoCase(HeaderName(line), "Directories")) {
            have_line = ReadTrimmedLine(dosnet, line);
            continue;
        }
        // A later [Directories] section replaces the table of an earlier one.
        table.used = 0;
        while ((have_line = ReadTrimmedLine(dosnet, line)) && !IsHeader(line)) {
            if (IsBlank(line) || table.used == DIRECTORY_SLOTS)
                continue;
            TakeSlot(table.slots[table.used++], line);
        }
    }
}

const DirectoryEntry *FindDirectory(const DirectoryTable &table, const char *key)
{
    for (int i = 0; i < table.used; ++i)
        if (table.slots[i].defined && EqualsNoCase(table.slots[i].key, key))
            return &table.slots[i];
    return nullptr;
}

ListKind ListKindOf(const char *header)
{
    const char *name = HeaderName(header);
    if (StartsWithNoCase(name, "FloppyFiles"))
        return LIST_FLOPPY;
    if (StartsWithNoCase(name, "CmdConsFiles"))
        return LIST_CMDCONS;
    return LIST_OTHER;
}

void ReadFileLists(FILE *dosnet, ListLineVisitor visit, void *context)
{
    char line[SETUP_LINE_BUF];
    ListKind kind = LIST_OTHER;  // lines before the first header belong to no list
    while (ReadTrimmedLine(dosnet, line)) {
        if (IsHeader(line))
            kind = ListKindOf(line);
        else if (kind != LIST_OTHER && !IsBlank(line))
            visit(kind, line, context);
    }
}

bool SplitFloppyLine(char *line, FloppyLine &out)
{
    char *comma = strchr(line, ',');
    if (!comma)
        return false;
    *comma = '\0';
    out.key = line;
    out.source = comma + 1;
    char *second = strchr(comma + 1, ',');
    if (second) {
        *second = '\0';
        out.target = second + 1;
    } else {
        out.target = out.source;
    }
    return true;
}

TagKind TagKindOf(const char *line)
{
    static const struct {
        const char *word;
        TagKind kind;
    } kWords[] = {
        {"spcdtagfilei", TAG_SP},
        {"cd2tagfilei", TAG_SP},
        {"cdtagfilei", TAG_WINDOWS},
        {"cdtagfile", TAG_WINDOWS},
    };
    for (const auto &entry : kWords)
        if (StartsWithNoCase(line, entry.word))
            return entry.kind;
    return TAG_NONE;
}

char *TagNameOf(char *line)
{
    char *equals = strchr(line, '=');
    if (!equals)
        return nullptr;
    char *value = STRING_FUNCRTIONS::TRIM(equals + 1);
    char *open = strchr(value, '"');
    if (!open)
        return nullptr;
    char *name = open + 1;
    char *close = strrchr(name, '"');
    if (close)
        *close = '\0';
    return name;
}

bool IsRelativeName(const char *name)
{
    return name[0] != '\0' && !IsSeparator(name[0]) && StaysInside(name);
}

bool IsRootedName(const char *name)
{
    return IsSeparator(name[0]) && StaysInside(name);
}
