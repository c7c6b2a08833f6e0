// Reading DOSNET.INF and LAYOUT.INF: the directory table, the file lists,
// tag lines, and the checks on names that decide where files are written.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "setupinf.h"

namespace {

FILE *Stream(const std::string &text)
{
    FILE *stream = tmpfile();
    fwrite(text.data(), 1, text.size(), stream);
    rewind(stream);
    return stream;
}

// The defined entries of the table read from text, as "key=value", and the
// number of slots taken.
std::pair<std::vector<std::string>, int> Directories(const std::string &text)
{
    FILE *stream = Stream(text);
    DirectoryTable table{};
    ReadDirectoryTable(stream, table);
    fclose(stream);
    std::vector<std::string> entries;
    for (int i = 0; i < table.used; ++i)
        if (table.slots[i].defined)
            entries.push_back(std::string(table.slots[i].key) + "=" + table.slots[i].value);
    return {entries, table.used};
}

std::vector<std::string> ListLines(const std::string &text)
{
    FILE *stream = Stream(text);
    std::vector<std::string> lines;
    ReadFileLists(
        stream,
        [](ListKind kind, char *line, void *context) {
            static_cast<std::vector<std::string> *>(context)->push_back((kind == LIST_FLOPPY ? "F:" : "C:") +
                                                                         std::string(line));
        },
        &lines);
    fclose(stream);
    return lines;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(DirectoryTable, KeysAndValuesAreTrimmed)
{
    auto got = Directories("[Version]\nd9 = \\no\n[Directories]\nd1 = \\i386\nd2=\\amd64  \n\n  D3 =\\x\n");
    EXPECT_EQ(got.first, (Strings{"d1=\\i386", "d2=\\amd64", "D3=\\x"}));
    EXPECT_EQ(got.second, 3);
}

TEST(DirectoryTable, TenSlotsCommentsAndLinesWithoutEquals)
{
    std::string text = "[ directories.extra]\n; comment\nnothing here\n";
    for (int i = 1; i <= 10; ++i)
        text += "d" + std::to_string(i) + " = \\f" + std::to_string(i) + "\n\n";
    auto got = Directories(text);
    EXPECT_EQ(got.second, 10);  // the comment and the bare line take slots
    EXPECT_EQ(got.first.size(), 8u);
    EXPECT_EQ(got.first.back(), "d8=\\f8");
}

TEST(DirectoryTable, LaterSectionReplacesEarlierAndHeaderEndsSection)
{
    auto got = Directories("[Directories]\nd1 = \\a\nd2 = \\b\n[FloppyFiles.0]\nd3 = \\c\n[DIRECTORIES]\nd1 = \\z\n");
    EXPECT_EQ(got.first, (Strings{"d1=\\z"}));
}

TEST(DirectoryTable, FindIgnoresLetterCaseAndUndefinedSlots)
{
    FILE *stream = Stream("[Directories]\nd1\nD1 = \\I386\n");
    DirectoryTable table{};
    ReadDirectoryTable(stream, table);
    fclose(stream);
    const DirectoryEntry *entry = FindDirectory(table, "d1");
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->value, "\\I386");
    EXPECT_EQ(FindDirectory(table, "d2"), nullptr);
}

TEST(FileLists, FloppyAndCmdConsSectionsOnly)
{
    EXPECT_EQ(ListLines("d1,before\n[FloppyFiles.0]\nd1,ntdetect.com\n\n   \n[Strings]\nx,y\n"
                        "[ floppyfiles.x]\n  d1,kdcom.dll  \n;d1,comment\n[CmdConsFiles]\nbootfont.bin\n"
                        "[CmdConsFilesExtra]\nspcmdcon.sys\n[Other]\nz\n"),
              (Strings{"F:d1,ntdetect.com", "F:d1,kdcom.dll", "F:;d1,comment", "C:bootfont.bin",
                       "C:spcmdcon.sys"}));
}

TEST(FileLists, LongLinesComeInPieces)
{
    std::string name(250, 'a');
    Strings got = ListLines("[CmdConsFiles]\n" + name + "\n");
    EXPECT_EQ(got, (Strings{"C:" + name.substr(0, 199), "C:" + name.substr(199)}));
}

TEST(FloppyLine, Fields)
{
    struct Case {
        const char *line;
        bool split;
        const char *key, *source, *target;
    } cases[] = {
        {"d1,ntdetect.com", true, "d1", "ntdetect.com", "ntdetect.com"},
        {"d1,setupldr.bin,ntldr", true, "d1", "setupldr.bin", "ntldr"},
        {"d1, kdcom.dll", true, "d1", " kdcom.dll", " kdcom.dll"},
        {"d1,a,b,c", true, "d1", "a", "b,c"},
        {",x", true, "", "x", "x"},
        {"no comma", false, nullptr, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        std::string line = c.line;
        FloppyLine fields{};
        ASSERT_EQ(SplitFloppyLine(&line[0], fields), c.split) << c.line;
        if (!c.split)
            continue;
        EXPECT_STREQ(fields.key, c.key) << c.line;
        EXPECT_STREQ(fields.source, c.source) << c.line;
        EXPECT_STREQ(fields.target, c.target) << c.line;
    }
}

TEST(TagLines, KindsAndNames)
{
    struct Case {
        const char *line;
        TagKind kind;
        const char *name;  // nullptr: none
    } cases[] = {
        {"cdtagfile = \"\\win51\"", TAG_WINDOWS, "\\win51"},
        {"CDTAGFILEI=\"\\win51ip\"", TAG_WINDOWS, "\\win51ip"},
        {"cdtagfilex = \"\\w\" ; note", TAG_WINDOWS, "\\w"},
        {"spcdtagfilei = \"\\win51ip.SP2\"", TAG_SP, "\\win51ip.SP2"},
        {"cd2tagfilei = \"\\win51ic.SP1", TAG_SP, "\\win51ic.SP1"},
        {"cd2tagfilei = \\bare", TAG_SP, nullptr},
        {"cdtagfile \"\\noequals\"", TAG_WINDOWS, nullptr},
        {"spcdtagfile = \"\\x\"", TAG_NONE, nullptr},
        {"productname = \"Windows XP\"", TAG_NONE, nullptr},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(TagKindOf(c.line), c.kind) << c.line;
        std::string line = c.line;
        const char *name = TagNameOf(&line[0]);
        if (c.kind == TAG_NONE)
            continue;
        if (c.name)
            EXPECT_STREQ(name, c.name) << c.line;
        else
            EXPECT_EQ(name, nullptr) << c.line;
    }
}

TEST(Names, OnlyNamesThatStayInsideTheirFolder)
{
    struct Case {
        const char *name;
        bool relative, rooted;
    } cases[] = {
        {"ntdetect.com", true, false},
        {"system32\\smss.exe", true, false},
        {"\\i386", false, true},
        {"\\win51ip.SP3", false, true},
        {"\\", false, true},
        {"", false, false},
        {"..\\boot.ini", false, false},
        {"a\\..\\..\\x", false, false},
        {"\\..", false, false},
        {"\\i386\\. .\\x", false, false},
        {"/../x", false, false},
        {"a/../../x", false, false},
        {"C:\\boot.ini", false, false},
        {"\\x:stream", false, false},
        {"\\\\server\\share", false, true},
        {"...", false, false},
        {"a..b", true, false},
        {".hidden", true, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(IsRelativeName(c.name), c.relative) << c.name;
        EXPECT_EQ(IsRootedName(c.name), c.rooted) << c.name;
    }
}
