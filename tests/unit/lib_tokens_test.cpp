// The word tokenizer and line packing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tokens.h"

namespace {

struct Word {
    int start, end;
    char delim;
};

std::vector<Word> Words(const TOK_LIST &list)
{
    std::vector<Word> words;
    for (int k = 0; k < list.count; ++k)
        words.push_back({list.items[k].start, list.items[k].end, list.items[k].delim});
    return words;
}

std::string Packed(const std::string &text, const char *set)
{
    std::vector<char> buf(text.begin(), text.end());
    buf.push_back('\0');
    return STRING_FUNCRTIONS::PACK(buf.data(), set);
}

bool operator==(const Word &a, const Word &b)
{
    return a.start == b.start && a.end == b.end && a.delim == b.delim;
}

std::ostream &operator<<(std::ostream &out, const Word &w)
{
    return out << "(" << w.start << "," << w.end << ",'" << (w.delim ? w.delim : '0') << "')";
}

}  // namespace

TEST(Tok, SplitsAtDelimiterRuns)
{
    struct {
        const char *text, *set;
        std::vector<Word> words;
    } cases[] = {
        {"", ",", {{0, 0, 0}}},
        {"abc", ",", {{0, 3, 0}}},
        {"a, b,,c", ", ", {{0, 1, ' '}, {3, 4, ','}, {6, 7, 0}}},
        {",a", ",", {{0, 0, ','}, {1, 2, 0}}},
        {"a,,", ",", {{0, 1, ','}, {3, 3, 0}}},
        {"a;, ;b", ",; ", {{0, 1, ';'}, {5, 6, 0}}},
        {";;;", ";", {{0, 0, ';'}, {3, 3, 0}}},
        {"  [ Main : rule ] ", "[]:", {{0, 2, '['}, {3, 9, ':'}, {10, 16, ']'}, {17, 18, 0}}},
    };
    for (const auto &c : cases) {
        std::string text = c.text;
        TOK_LIST list;
        ASSERT_TRUE(STRING_FUNCRTIONS::TOK(&text[0], c.set, &list)) << c.text;
        EXPECT_EQ(Words(list), c.words) << "[" << c.text << "]";
        EXPECT_EQ(list.text, &text[0]);
        STRING_FUNCRTIONS::FREETOK(list);
    }
}

// n delimiter runs: "x,x,...,x" with n commas.
std::string Runs(int n)
{
    std::string text = "x";
    for (int i = 0; i < n; ++i)
        text += ",x";
    return text;
}

TEST(Tok, TakesThreeHundredWordsAndRefusesMore)
{
    std::string fits = Runs(299);
    TOK_LIST list;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(STRING_FUNCRTIONS::TOK(&fits[0], ",", &list));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(list.count, 300);
    EXPECT_EQ(list.items[299].start, 598);
    EXPECT_EQ(list.items[299].end, 599);
    STRING_FUNCRTIONS::FREETOK(list);

    // A run at the very end counts as well.
    for (std::string refused : {Runs(300), Runs(299) + ",", Runs(500)}) {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(STRING_FUNCRTIONS::TOK(&refused[0], ",", &list));
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "Function STRING_FUNCRTIONS::TOK: error: It is too much words\n"
                  "max words count 999. Function return false.");
        EXPECT_EQ(list.items, nullptr);
        EXPECT_EQ(list.count, 0);
    }
}

TEST(GetWord, TerminatesWordsInPlaceAndClampsTheIndex)
{
    struct {
        int index;
        const char *word;
    } cases[] = {{0, "alpha"}, {1, "beta"}, {2, "gamma"}, {3, "gamma"}, {99, "gamma"}, {-1, "gamma"}};
    for (const auto &c : cases) {
        char text[] = "alpha=beta==gamma";
        TOK_LIST list;
        ASSERT_TRUE(STRING_FUNCRTIONS::TOK(text, "=", &list));
        EXPECT_STREQ(STRING_FUNCRTIONS::GETWORD(c.index, list), c.word) << c.index;
        STRING_FUNCRTIONS::FREETOK(list);
    }

    // Earlier words stay readable after a later one was taken.
    char text[] = "a b c";
    TOK_LIST list;
    ASSERT_TRUE(STRING_FUNCRTIONS::TOK(text, " ", &list));
    STRING_FUNCRTIONS::GETWORD(2, list);
    EXPECT_STREQ(text, "a");
    EXPECT_STREQ(text + 2, "b");
    EXPECT_STREQ(text + 4, "c");
    STRING_FUNCRTIONS::FREETOK(list);
}

TEST(Pack, TrimsWordsAndKeepsOneDelimiterPerRun)
{
    struct {
        const char *text, *set, *packed;
    } cases[] = {
        {"  [ Main : rule ] ", "[]:", "[Main:rule]"},
        {"key = value", nullptr, "key=value"},
        {"  a b   c  ", nullptr, "abc"},
        {"  plain text  ", "=", "plain text"},
        {"a = : b", "=:", "a= :b"},
        {"workpath = D:\\work", "\"=", "workpath=D:\\work"},
        {"key=\"value\"", "\"=", "key\"value\""},
        {"key= \"value\"", "\"=", "key= \"value\""},
        {"a ,; b;", ",;", "a;b;"},
        {"", "=", ""},
        {"   ", "=", "   "},
        {"=", "=", "="},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Packed(c.text, c.set), c.packed) << "[" << c.text << "]";
}

TEST(Pack, KeepsTheTrimmedTextWhenTheTokenizerRefusesIt)
{
    std::string text = "  " + Runs(300) + "  ";
    testing::internal::CaptureStdout();
    std::string packed = Packed(text, ",");
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(packed, Runs(300));
}

TEST(Pack, HandlesTextsLongerThanItsWorkBuffer)
{
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "word   =   ";  // 2200 characters, 200 runs
    std::string expected;
    for (int i = 0; i < 200; ++i)
        expected += "word=";
    EXPECT_EQ(Packed(words, "="), expected);
}
