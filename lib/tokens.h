// Splitting a text into words at a set of delimiter characters, and packing
// a line back together with one delimiter between its words.
#pragma once

#include <cstdint>

// One word: text[start, end) of the list's source text.
struct TOK_ITEM {
    char delim;     // last character of the delimiter run after the word; 0 for the last word
    int32_t start;  // position of the word's first character
    int32_t end;    // position where the following delimiter run begins (or the text's length)
};

// The words of one text, in text order. items belongs to the list; text is
// the caller's buffer, not a copy.
struct TOK_LIST {
    TOK_ITEM *items;
    char *text;
    int32_t count;  // delimiter runs plus one, so at least 1
};

// A list holds at most this many words.
constexpr int32_t TOK_MAX_WORDS = 300;

// PACK builds its result in a buffer of this size: texts given to it must
// be shorter.
constexpr int PACK_BUF = 1024;

namespace STRING_FUNCRTIONS {

// Splits text at every run of characters of set. A text with 300 or more
// delimiter runs is refused: a message on stdout, nothing allocated, false.
// On false the list is left empty (no items, count 0) and must not be used.
bool TOK(char *text, const char *set, TOK_LIST *list);

// Terminates words 0..index in the source text and answers word index; an
// index out of range terminates every word and answers the last one.
char *GETWORD(int index, TOK_LIST list);

// Releases the list's word array (not the text).
void FREETOK(TOK_LIST list);

// Trims text, trims each word and joins the words again with the last
// character of each delimiter run between them, or with nothing when set
// is null (then the words are split at spaces). A text that TOK refuses
// stays as trimmed.
char *PACK(char *text, const char *set);

}  // namespace STRING_FUNCRTIONS
