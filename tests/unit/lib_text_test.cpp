// Trimming, case, and the path text operations.
#include <gtest/gtest.h>

#include <string>

#include "paths.h"
#include "text.h"

namespace {

std::string Trimmed(std::string text)
{
    char buf[64];
    strcpy(buf, text.c_str());
    return STRING_FUNCRTIONS::TRIM(buf);
}

std::string Cut(const char *path, int n)
{
    char buf[PATH_BUF];
    strcpy(buf, path);
    return FILE_FUNCTIONS::CUTPATH(buf, n);
}

std::string DirPart(const char *path)
{
    char out[PATH_BUF];
    return FILE_FUNCTIONS::DIRPART(out, path);
}

}  // namespace

TEST(Trim, KeepsLineFeedsOfBlankLinesAndTabsInFront)
{
    struct {
        const char *in, *out;
    } cases[] = {
        {"  abc \t\n", "abc"}, {"\tabc", "\tabc"}, {"   ", "   "},     {"\n", "\n"},
        {"   \n", "\n"},       {" \t", "\t"},      {"abc\r\n", "abc\r"}, {"", ""},
        {"a b", "a b"},        {" \t\n", "\t\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Trimmed(c.in), c.out) << "[" << c.in << "]";
}

TEST(Case, UpperLowerAndNoChange)
{
    char text[] = "D:\\Dest\\win51ip.SP2 ~";
    EXPECT_STREQ(STRING_FUNCRTIONS::CASE(text, 1), "D:\\DEST\\WIN51IP.SP2 ~");
    EXPECT_STREQ(STRING_FUNCRTIONS::CASE(text, 2), "d:\\dest\\win51ip.sp2 ~");
    EXPECT_STREQ(STRING_FUNCRTIONS::CASE(text, 0), "d:\\dest\\win51ip.sp2 ~");
    EXPECT_STREQ(STRING_FUNCRTIONS::CASE(text, 3), "d:\\dest\\win51ip.sp2 ~");
}

TEST(CutPath, DropsComponentsAndNormalisesBackslashes)
{
    EXPECT_EQ(Cut("D:\\dist\\i386", 1), "D:\\dist");
    EXPECT_EQ(Cut("D:\\dist\\", 1), "D:");
    EXPECT_EQ(Cut("D:", 1), "D:");
    EXPECT_EQ(Cut("\\\\server\\share\\folder", 1), "server\\share");
    EXPECT_EQ(Cut("\\a\\\\b\\", 0), "a\\b");
    EXPECT_EQ(Cut("a\\b\\c", 5), "a\\b\\c");
    EXPECT_EQ(Cut("", 1), "");
}

TEST(DirPart, DriveAndFoldersWithoutTheLastBackslash)
{
    EXPECT_EQ(DirPart("D:\\dist\\i386\\setup.exe"), "D:\\dist\\i386");
    EXPECT_EQ(DirPart("setup.exe"), "");
    EXPECT_EQ(DirPart("D:\\setup.exe"), "D:");
    EXPECT_EQ(DirPart("D:setup.exe"), "D:");
    EXPECT_EQ(DirPart("dist/tool.exe"), "dist/");
}

TEST(JoinPath, RefusesWhatDoesNotFit)
{
    char out[8];
    EXPECT_TRUE(JoinPath(out, sizeof out, "D:", "\\", "abcd"));
    EXPECT_STREQ(out, "D:\\abcd");
    EXPECT_FALSE(JoinPath(out, sizeof out, "D:", "\\", "abcde"));
    EXPECT_STREQ(out, "");
}

TEST(NoCase, ComparesAsciiLettersOnly)
{
    EXPECT_TRUE(EqualsNoCase("PRODUCTNAME", "productname"));
    EXPECT_FALSE(EqualsNoCase("productnames", "productname"));
    EXPECT_TRUE(StartsWithNoCase("servicepackX=3", "ServicePack"));
    EXPECT_FALSE(StartsWithNoCase("Service", "ServicePack"));
}
