// KENVO's three readers over arbitrary file contents: no crash, no overrun,
// and the facts always fit their fields.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *in = tmpfile();
    if (!in)
        return 0;
    fwrite(data, 1, size, in);
    DistributionInfo info;
    memset(&info, 0, sizeof info);
    rewind(in);
    ReadDosnet(in, info);
    rewind(in);
    ReadProductName(in, info);
    rewind(in);
    ReadLocalization(in, info);
    fclose(in);
    if (strlen(info.platform) >= 10 || strlen(info.product_name) >= sizeof info.product_name)
        __builtin_trap();
    ReportLayout layout = {static_cast<int>(size % 10), true, true, true, true};
    FILE *out = fopen("/dev/null", "w");
    if (out) {
        WriteReport(out, layout, info);
        fclose(out);
    }
    return 0;
}
