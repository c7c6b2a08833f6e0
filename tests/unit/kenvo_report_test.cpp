// KENVO's readers and report lines, on in-memory files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "report.h"

namespace {

FILE *Text(const std::string &content)
{
    FILE *f = tmpfile();
    fwrite(content.data(), 1, content.size(), f);
    rewind(f);
    return f;
}

DistributionInfo Empty()
{
    DistributionInfo info;
    memset(&info, 0, sizeof info);
    return info;
}

std::string Report(const ReportLayout &layout, const DistributionInfo &info)
{
    FILE *f = tmpfile();
    WriteReport(f, layout, info);
    std::string out(static_cast<size_t>(ftell(f)), '\0');
    rewind(f);
    size_t got = fread(&out[0], 1, out.size(), f);
    out.resize(got);
    fclose(f);
    return out;
}

}  // namespace

TEST(Dosnet, LastMatchingLinesWinAndLongPlatformsAreUnknown)
{
    struct {
        const char *text, *platform;
        double sp;
    } cases[] = {
        {"[Miscellaneous]\nDestinationPlatform = i386\nServicePack = 3\n", "i386", 3.0},
        {"DestinationPlatform=amd64\nDestinationPlatformX = ia64\n", "ia64", 0.0},
        {"DestinationPlatform = verylongname\n", "unknown", 0.0},
        {"DestinationPlatform = 123456789\n", "123456789", 0.0},
        {"ServicePack = 2\nServicePackLevel = 1.5\n", "", 1.5},
        {"ServicePack = beta\n", "", 0.0},
        {"ServicePack 3\n[ServicePack = 9]\n", "", 0.0},
        {"  servicepack=2.25", "", 2.25},
    };
    for (const auto &c : cases) {
        DistributionInfo info = Empty();
        FILE *f = Text(c.text);
        ReadDosnet(f, info);
        fclose(f);
        EXPECT_STREQ(info.platform, c.platform) << c.text;
        EXPECT_DOUBLE_EQ(info.service_pack, c.sp) << c.text;
    }
}

TEST(Dosnet, LongLinesAreReadInPiecesOf199)
{
    // The tail of a long line is a line of its own, so a key hidden there counts.
    std::string text = std::string(199, 'x') + "ServicePack=4\n";
    DistributionInfo info = Empty();
    FILE *f = Text(text);
    ReadDosnet(f, info);
    fclose(f);
    EXPECT_DOUBLE_EQ(info.service_pack, 4.0);
}

TEST(Layout, ProductNameBetweenFirstAndLastQuote)
{
    struct {
        const char *text, *name;
    } cases[] = {
        {"[Strings]\nproductname = \"Windows XP Professional\"\nproductname=\"second\"\n",
         "Windows XP Professional"},
        {"productname=\"a \"inner\" b\"\n", "a \"inner\" b"},
        {"productname=\"open only\n", "open only"},
        {"productname=bare words\n", "bare words"},
        {"productnames = \"longer key\"\n", "longer key"},
        {"productname \"no equals\"\n", ""},
    };
    for (const auto &c : cases) {
        DistributionInfo info = Empty();
        FILE *f = Text(c.text);
        ReadProductName(f, info);
        fclose(f);
        EXPECT_STREQ(info.product_name, c.name) << c.text;
    }
}

TEST(Prodspec, FirstLocalizationLine)
{
    DistributionInfo info = Empty();
    FILE *f = Text("[Product Specification]\nLocalization = English\nLocalization=Russian\n");
    ReadLocalization(f, info);
    fclose(f);
    EXPECT_STREQ(info.language, "English");
}

TEST(Report, ModesAndFixedOrder)
{
    DistributionInfo info = Empty();
    strcpy(info.product_name, "Windows XP Professional");
    strcpy(info.platform, "i386");
    strcpy(info.language, "English");
    info.service_pack = 3;
    ReportLayout all = {0, true, true, true, true};
    EXPECT_EQ(Report(all, info), "Windows XP Professional\ni386\nEnglish\n3.0\n");
    all.output_mode = 2;
    EXPECT_EQ(Report(all, info),
              "Windows XP Professional i386 Platform English version ServicePack 3.0\n");
    all.output_mode = 7;
    EXPECT_EQ(Report(all, info), "Windows XP Professional i386 English 3.0\n");
    ReportLayout no_sp = {1, false, true, true, false};
    EXPECT_EQ(Report(no_sp, info), "i386 English ");
}
