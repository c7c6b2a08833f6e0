// The tesmo.ini reader over arbitrary file contents: no crash, no overrun,
// and every text of the record terminated within its field.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "config.h"

const char *const kNtFolderAutoName = "1";

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The reader echoes section names on stdout.
    if (!freopen("/dev/null", "w", stdout))
        return 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *in = tmpfile();
    if (!in)
        return 0;
    fwrite(data, 1, size, in);
    rewind(in);

    ConfigReader reader;
    reader.OpenStream(in, "P:\\prog");
    if (reader.Usable()) {
        int last = reader.Parse();
        const DistributionConfig &r = reader.record;
        if (last < -1 || last >= reader.section_count)
            __builtin_trap();
        if (!memchr(r.distro_path, 0, sizeof r.distro_path) ||
            !memchr(r.work_path, 0, sizeof r.work_path) ||
            !memchr(r.nt_folder_name, 0, sizeof r.nt_folder_name))
            __builtin_trap();
        if (r.nt_folder_count < 1 || r.work_path_count < 1)
            __builtin_trap();
    } else if (reader.state != 2) {
        __builtin_trap();
    }
    reader.Close();
    return 0;
}
