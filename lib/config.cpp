#include "config.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "paths.h"
#include "text.h"
#include "tokens.h"

namespace {

// Reads the next piece of at most 1023 characters. False at the end.
bool ReadLine(FILE *in, char *line)
{
    if (!fgets(line, CONFIG_LINE_BUF, in))
        return false;
    return true;
}

// A header line without its comment, packed around its separators, when it
// begins with "[" and ends with "]". line is changed in place.
bool IsHeader(char *line)
{
    if (line[0] != '[')
        return false;
    ConfigReader::StripComment(line);
    STRING_FUNCRTIONS::PACK(line, "[]:");
    size_t len = strlen(line);
    return len > 0 && line[len - 1] == ']';
}

// Copies at most max characters of src into out (capacity max + 1).
void CopyCut(char *out, const char *src, size_t max)
{
    size_t len = strlen(src);
    if (len > max)
        len = max;
    memcpy(out, src, len);
    out[len] = '\0';
}

// Splits a header line that IsHeader accepted into name and tag.
void ReadHeader(char *line, ConfigSection &section)
{
    size_t len = strlen(line);
    line[len - 1] = '\0';  // the closing bracket
    char *body = line[0] == '[' ? line + 1 : line;
    const char *tag = "";
    char *colon = strchr(body, ':');
    if (colon) {
        *colon = '\0';
        tag = colon + 1;
    }
    CopyCut(section.tag, tag, sizeof section.tag - 1);
    section.is_rule = EqualsNoCase(section.tag, "rule") ? 1 : 0;
    CopyCut(section.name, body, sizeof section.name - 1);
}

// Stores value in a record text field; a value that does not fit is
// refused with a message rather than cut: a cut path names another folder.
bool TakeText(char *field, const char *value, const char *key)
{
    if (strlen(value) > static_cast<size_t>(CONFIG_TEXT_CHARS)) {
        printf(" * Value of %s is longer than %d characters: line passed over.\n", key,
               CONFIG_TEXT_CHARS);
        return false;
    }
    strcpy(field, value);
    return true;
}

// One line of a rule section, comment cut, trimmed and packed.
void TakeKeyLine(char *line, DistributionConfig &record)
{
    static const char *const kKeys[] = {"destropath", "distropath", "workpath", "createimage",
                                        "NTfoldername"};
    int key = -1;
    for (int k = 0; k < 5 && key < 0; ++k)
        if (StartsWithNoCase(line, kKeys[k]))
            key = k;
    if (key < 0)
        return;
    char *equals = strchr(line, '=');
    if (!equals)
        return;
    char *value = equals + 1;

    switch (key) {
    case 0:
    case 1: {
        if (value[0] == '\\')
            ++value;
        size_t len = strlen(value);
        if (len > 0 && value[len - 1] == '\\')
            value[len - 1] = '\0';
        if (TakeText(record.distro_path, value, kKeys[key]))
            ++record.distro_path_count;
        break;
    }
    case 2:
        if (EqualsNoCase(value, "auto"))
            break;
        if (TakeText(record.work_path, value, kKeys[key]))
            ++record.work_path_count;
        break;
    case 3:
        if (EqualsNoCase(value, "Yes"))
            ++record.create_image_count;
        break;
    case 4:
        CopyCut(record.nt_folder_name, EqualsNoCase(value, "auto") ? kNtFolderAutoName : value, 1);
        ++record.nt_folder_count;
        break;
    }
}

}  // namespace

bool ConfiguredDistributionPath(const DistributionConfig &config, char *out)
{
    if (config.distro_path_count > 0)
        return JoinPath(out, PATH_BUF, config.work_path, "\\", config.distro_path);
    return CopyText(out, PATH_BUF, config.work_path);
}

char *ConfigReader::StripComment(char *line)
{
    char *comment = strstr(line, "--");
    if (comment)
        *comment = '\0';
    return line;
}

void ConfigReader::Open(const char *folder, const char *name)
{
    char path[PATH_BUF];
    if (!JoinPath(path, sizeof path, folder, "\\", name)) {
        memset(this, 0, sizeof *this);
        fprintf(stderr, "%s: %s\n", name, strerror(ENAMETOOLONG));
        state = 2;
        return;
    }
    // Read only: the file is never written, and may lie on read-only media.
    FILE *stream = fopen(path, "r");
    if (!stream) {
        int error = errno;
        memset(this, 0, sizeof *this);
        fprintf(stderr, "%s: %s\n", name, strerror(error));
        state = 2;
        return;
    }
    OpenStream(stream, folder);
}

void ConfigReader::OpenStream(FILE *stream, const char *folder)
{
    memset(this, 0, sizeof *this);
    file = stream;
    if (!CopyText(record.work_path, sizeof record.work_path, folder)) {
        fprintf(stderr, "%s: %s\n", folder, strerror(ENAMETOOLONG));
        state = 2;
        return;
    }
    record.work_path_count = 1;

    section_count = CountSections();
    if (section_count == 0) {
        printf("It is not enough of the data.\n");
        state = 2;
        return;
    }
    section = static_cast<ConfigSection *>(calloc(1, sizeof(ConfigSection)));
    if (!section) {
        printf("Not enough memory to allocate buffer\n");
        state = 2;
    }
}

int ConfigReader::CountSections()
{
    long where = ftell(file);
    char line[CONFIG_LINE_BUF];
    int count = 0;
    while (ReadLine(file, line)) {
        STRING_FUNCRTIONS::TRIM(line);
        if (IsHeader(line))
            ++count;
    }
    clearerr(file);
    fseek(file, where < 0 ? 0 : where, SEEK_SET);
    return count;
}

int ConfigReader::Parse()
{
    char line[CONFIG_LINE_BUF];
    int last = -1;
    bool in_section = false;  // after a well-formed header, until a malformed one
    section->is_rule = 0;

    while (ReadLine(file, line)) {
        STRING_FUNCRTIONS::TRIM(line);
        if (line[0] == '[') {
            in_section = IsHeader(line);
            if (!in_section)
                continue;
            ReadHeader(line, *section);
            printf("Section->%s\n", section->name);
            ++last;
            continue;
        }
        if (!in_section || section->is_rule <= 0)
            continue;
        // A comment after a value is no part of it.
        StripComment(line);
        STRING_FUNCRTIONS::TRIM(line);
        STRING_FUNCRTIONS::PACK(line, "\"=");
        TakeKeyLine(line, record);
    }

    if (record.nt_folder_count == 0) {
        strcpy(record.nt_folder_name, "B");
        record.nt_folder_count = 1;
    }
    fclose(file);
    file = nullptr;
    return last;
}

void ConfigReader::Close()
{
    free(section);
    section = nullptr;
    if (file)
        fclose(file);
    file = nullptr;
}
