#include "report.h"

#include <cstdlib>
#include <cstring>

#include "paths.h"

void ReadDosnet(FILE *in, DistributionInfo &info)
{
    char line[SETUP_LINE_BUF];
    while (ReadTrimmedLine(in, line)) {
        if (line[0] == '[')
            continue;
        if (const char *value = ValueOfKey(line, "DestinationPlatform")) {
            CopyText(info.platform, sizeof info.platform, strlen(value) < 10 ? value : "unknown");
        } else if (const char *number = ValueOfKey(line, "ServicePack")) {
            info.service_pack = strtod(number, nullptr);
        }
    }
}

void ReadProductName(FILE *in, DistributionInfo &info)
{
    char line[SETUP_LINE_BUF];
    while (ReadTrimmedLine(in, line)) {
        if (line[0] == '[')
            continue;
        char *value = ValueOfKey(line, "productname");
        if (!value)
            continue;
        char *first = strchr(value, '"');
        char *last = strrchr(value, '"');
        if (first) {
            if (last != first)
                *last = '\0';
            value = first + 1;
        }
        // Without any double quote the whole value is the name.
        CopyText(info.product_name, sizeof info.product_name, value);
        return;
    }
}

void ReadLocalization(FILE *in, DistributionInfo &info)
{
    char line[SETUP_LINE_BUF];
    while (ReadTrimmedLine(in, line)) {
        if (line[0] == '[')
            continue;
        char *value = ValueOfKey(line, "Localization");
        if (!value)
            continue;
        size_t len = strlen(value);
        if (len > 0 && value[len - 1] == '\n')
            value[len - 1] = '\0';
        CopyText(info.language, sizeof info.language, value);
        return;
    }
}

void WriteReport(FILE *out, const ReportLayout &layout, const DistributionInfo &info)
{
    char separator = layout.output_mode == 0 ? '\n' : ' ';
    bool labels = layout.output_mode == 2;
    if (layout.product_name)
        fprintf(out, "%s%s%c", "", info.product_name, separator);
    if (layout.platform)
        fprintf(out, "%s%s%c", info.platform, labels ? " Platform" : "", separator);
    if (layout.language)
        fprintf(out, "%s%s%c", info.language, labels ? " version" : "", separator);
    if (layout.service_pack)
        fprintf(out, "%s%.1f\n", labels ? "ServicePack " : "", info.service_pack);
}
