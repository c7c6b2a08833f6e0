// Reading tesmo.ini: headers, rule sections, keys and their values.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config.h"

// This test plays the SAPLOR build: "auto" stands for "1".
const char *const kNtFolderAutoName = "1";

namespace {

struct Outcome {
    int state;
    int last_section;
    DistributionConfig record;
    std::string out;
};

// Reads text as tesmo.ini from the folder "P:\prog".
Outcome Read(const std::string &text)
{
    Outcome result{};
    FILE *stream = tmpfile();
    fwrite(text.data(), 1, text.size(), stream);
    rewind(stream);

    testing::internal::CaptureStdout();
    ConfigReader reader;
    reader.OpenStream(stream, "P:\\prog");
    result.state = reader.state;
    result.last_section = -2;
    if (reader.Usable()) {
        result.last_section = reader.Parse();
        result.record = reader.record;
    }
    reader.Close();
    result.out = testing::internal::GetCapturedStdout();
    return result;
}

}  // namespace

TEST(ConfigReader, ExampleRuleSection)
{
    Outcome got = Read("[settings:rule]\n"
                       "workpath = D:\\work\n"
                       "distropath = \\XPCD\\ \n"
                       "NTfoldername = Cdrom\n"
                       "createimage = yes\n");
    ASSERT_EQ(got.state, 0);
    EXPECT_EQ(got.out, "Section->settings\n");
    EXPECT_EQ(got.last_section, 0);
    EXPECT_STREQ(got.record.work_path, "D:\\work");
    EXPECT_STREQ(got.record.distro_path, "XPCD");
    EXPECT_STREQ(got.record.nt_folder_name, "C");
    EXPECT_EQ(got.record.create_image_count, 1);
    EXPECT_EQ(got.record.distro_path_count, 1);
    EXPECT_EQ(got.record.nt_folder_count, 1);
    EXPECT_EQ(got.record.work_path_count, 2);
}

TEST(ConfigReader, OnlyRuleSectionsAreReadForKeys)
{
    const char *keys = "workpath = D:\\work\ndistropath = XPCD\nNTfoldername = Q\n";
    struct {
        const char *header;
        bool rule;
        const char *echoed;
    } cases[] = {
        {"[settings:rule]", true, "settings"},
        {"[ main : rule ]", true, "main"},
        {"[Main:RULE] -- comment", true, "Main"},
        {"  [main:Rule]", true, "main"},
        {"[x:rulebook]", false, "x"},
        {"[settings]", false, "settings"},
        {"[abcdefghijklmnop:rule]", true, "abcdefghijkl"},
        {"[a:b:rule]", false, "a"},
    };
    for (const auto &c : cases) {
        Outcome got = Read(std::string(c.header) + "\n" + keys);
        ASSERT_EQ(got.state, 0) << c.header;
        EXPECT_EQ(got.out, std::string("Section->") + c.echoed + "\n") << c.header;
        EXPECT_STREQ(got.record.work_path, c.rule ? "D:\\work" : "P:\\prog") << c.header;
        EXPECT_EQ(got.record.distro_path_count, c.rule ? 1 : 0) << c.header;
        EXPECT_STREQ(got.record.nt_folder_name, c.rule ? "Q" : "B") << c.header;
        EXPECT_EQ(got.record.nt_folder_count, 1) << c.header;
    }
}

TEST(ConfigReader, KeyValues)
{
    struct {
        const char *line;
        const char *distro_path, *work_path, *nt_name;
        int distro_count, work_count, nt_count, image_count;
    } cases[] = {
        {"distropath = \\\\server\\share", "\\server\\share", "P:\\prog", "B", 1, 1, 1, 0},
        {"destropath=XPCD\\", "XPCD", "P:\\prog", "B", 1, 1, 1, 0},
        {"DISTROPATH =  x86 cd ", "x86 cd", "P:\\prog", "B", 1, 1, 1, 0},
        {"distropathology = X", "X", "P:\\prog", "B", 1, 1, 1, 0},
        {"distropath", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"distropath=\"XPCD\"", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"distropath= \"XPCD\"", " \"XPCD\"", "P:\\prog", "B", 1, 1, 1, 0},
        {"workpath = auto", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"workpath = AUTO", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"workpath = D:\\work\\", "", "D:\\work\\", "B", 0, 2, 1, 0},
        {"workpath =", "", "", "B", 0, 2, 1, 0},
        {"workpath = D:\\work -- where we build", "", "D:\\work", "B", 0, 2, 1, 0},
        {"NTfoldername = Disk", "", "P:\\prog", "D", 0, 1, 1, 0},
        {"ntfoldername = auto", "", "P:\\prog", "1", 0, 1, 1, 0},
        {"NTfoldername =", "", "P:\\prog", "", 0, 1, 1, 0},
        {"createimage = YES", "", "P:\\prog", "B", 0, 1, 1, 1},
        {"createimage = no", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"other = 1", "", "P:\\prog", "B", 0, 1, 1, 0},
        {"-- distropath = X", "", "P:\\prog", "B", 0, 1, 1, 0},
    };
    for (const auto &c : cases) {
        Outcome got = Read(std::string("[s:rule]\n") + c.line + "\n");
        ASSERT_EQ(got.state, 0) << c.line;
        EXPECT_STREQ(got.record.distro_path, c.distro_path) << c.line;
        EXPECT_STREQ(got.record.work_path, c.work_path) << c.line;
        EXPECT_STREQ(got.record.nt_folder_name, c.nt_name) << c.line;
        EXPECT_EQ(got.record.distro_path_count, c.distro_count) << c.line;
        EXPECT_EQ(got.record.work_path_count, c.work_count) << c.line;
        EXPECT_EQ(got.record.nt_folder_count, c.nt_count) << c.line;
        EXPECT_EQ(got.record.create_image_count, c.image_count) << c.line;
    }
}

TEST(ConfigReader, LaterValuesReplaceEarlierOnesAndCountUp)
{
    Outcome got = Read("distropath = before\n"
                       "[a:rule]\ndistropath = one\nNTfoldername = X\n"
                       "[b]\ndistropath = skipped\n"
                       "[c:rule]\ndistropath = two\nNTfoldername = auto\ncreateimage=yes\n"
                       "createimage=Yes\n");
    ASSERT_EQ(got.state, 0);
    EXPECT_EQ(got.out, "Section->a\nSection->b\nSection->c\n");
    EXPECT_EQ(got.last_section, 2);
    EXPECT_STREQ(got.record.distro_path, "two");
    EXPECT_EQ(got.record.distro_path_count, 2);
    EXPECT_STREQ(got.record.nt_folder_name, "1");
    EXPECT_EQ(got.record.nt_folder_count, 2);
    EXPECT_EQ(got.record.create_image_count, 2);
}

TEST(ConfigReader, MalformedHeaderEndsTheSection)
{
    Outcome got = Read("[a:rule]\ndistropath = one\n[abc\ndistropath = lost\n"
                       "[d:rule]\nworkpath = W:\n");
    ASSERT_EQ(got.state, 0);
    EXPECT_EQ(got.out, "Section->a\nSection->d\n");
    EXPECT_EQ(got.last_section, 1);
    EXPECT_STREQ(got.record.distro_path, "one");
    EXPECT_STREQ(got.record.work_path, "W:");
}

TEST(ConfigReader, FilesWithoutHeadersAreRefused)
{
    for (const char *text : {"", "distropath = XPCD\nworkpath = D:\\w\n", "[abc\n", "-- [a:rule]\n",
                             "[a:rule -- ]\n"}) {
        Outcome got = Read(text);
        EXPECT_EQ(got.state, 2) << text;
        EXPECT_EQ(got.out, "It is not enough of the data.\n") << text;
    }
}

TEST(ConfigReader, ValuesTooLongForTheRecordAreRefusedNotCut)
{
    std::string fits(259, 'a');
    std::string too_long(260, 'b');
    Outcome got = Read("[s:rule]\nworkpath = " + fits + "\ndistropath = " + fits + "\n");
    EXPECT_EQ(std::string(got.record.work_path), fits);
    EXPECT_EQ(std::string(got.record.distro_path), fits);

    got = Read("[s:rule]\nworkpath = D:\\w\ndistropath = X\nworkpath = " + too_long +
               "\ndistropath = \\" + too_long + "\\\n");
    EXPECT_EQ(got.out, "Section->s\n"
                       " * Value of workpath is longer than 259 characters: line passed over.\n"
                       " * Value of distropath is longer than 259 characters: line passed over.\n");
    EXPECT_STREQ(got.record.work_path, "D:\\w");
    EXPECT_EQ(got.record.work_path_count, 2);
    EXPECT_STREQ(got.record.distro_path, "X");
    EXPECT_EQ(got.record.distro_path_count, 1);
}

TEST(ConfigReader, LongLinesAreReadInPieces)
{
    // 1023 characters, then the rest of the line comes as a line of its own.
    std::string line = "distropath = " + std::string(1010, 'x') + "distropath=tail";
    Outcome got = Read("[s:rule]\n" + line + "\n");
    ASSERT_EQ(got.state, 0);
    EXPECT_STREQ(got.record.distro_path, "tail");
    EXPECT_EQ(got.record.distro_path_count, 1);
}

TEST(ConfigReader, OpenReportsAMissingFile)
{
    testing::internal::CaptureStderr();
    ConfigReader reader;
    reader.Open("/nonexistent-folder", "tesmo.ini");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "tesmo.ini: No such file or directory\n");
    EXPECT_FALSE(reader.Usable());
    EXPECT_EQ(reader.state, 2);
    reader.Close();
}

TEST(ConfigReader, StripCommentCutsAtTheFirstDoubleMinus)
{
    struct {
        const char *in, *out;
    } cases[] = {{"a -- b -- c", "a "}, {"--", ""}, {"a-b", "a-b"}, {"a---", "a"}, {"", ""}};
    for (const auto &c : cases) {
        std::string line = c.in;
        EXPECT_STREQ(ConfigReader::StripComment(&line[0]), c.out);
    }
}
