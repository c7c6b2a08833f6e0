// KENVO's engine: reading a distribution's facts from its setup files and
// writing the report lines. Works on open streams only.
#pragma once

#include <cstdio>

#include "lines.h"

struct DistributionInfo {
    char product_name[SETUP_LINE_BUF];
    char language[SETUP_LINE_BUF];
    char platform[SETUP_LINE_BUF];
    double service_pack;
};

// Which items a report holds, and how it lays them out.
struct ReportLayout {
    int output_mode;  // 0: one item per line, 2: with labels, else blanks between
    bool product_name;
    bool platform;
    bool language;
    bool service_pack;
};

// DOSNET.INF: every DestinationPlatform and ServicePack line; the last wins.
void ReadDosnet(FILE *in, DistributionInfo &info);

// LAYOUT.INF: the first productname line, without its double quotes.
void ReadProductName(FILE *in, DistributionInfo &info);

// PRODSPEC.INI: the first Localization line.
void ReadLocalization(FILE *in, DistributionInfo &info);

// The selected items in their fixed order.
void WriteReport(FILE *out, const ReportLayout &layout, const DistributionInfo &info);
