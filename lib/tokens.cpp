#include "tokens.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "text.h"

namespace {

bool InSet(char c, const char *set)
{
    return c != '\0' && strchr(set, c) != nullptr;
}

}  // namespace

namespace STRING_FUNCRTIONS {

bool TOK(char *text, const char *set, TOK_LIST *list)
{
    list->items = nullptr;
    list->text = nullptr;
    list->count = 0;

    // Counting pass: one per run of delimiters, also a run at the very end.
    int32_t runs = 0;
    for (const char *p = text; *p;) {
        if (InSet(*p, set)) {
            ++runs;
            while (InSet(*p, set))
                ++p;
            if (runs >= TOK_MAX_WORDS) {
                printf("Function STRING_FUNCRTIONS::TOK: error: It is too much words\n"
                       "max words count 999. Function return false.");
                return false;
            }
        } else {
            ++p;
        }
    }

    int32_t count = runs + 1;
    TOK_ITEM *items = static_cast<TOK_ITEM *>(calloc(static_cast<size_t>(count), sizeof(TOK_ITEM)));
    if (!items)
        return false;

    // Filling pass.
    int32_t word_start = 0;
    int32_t k = 0;
    int32_t pos = 0;
    while (text[pos]) {
        if (!InSet(text[pos], set)) {
            ++pos;
            continue;
        }
        items[k].start = word_start;
        items[k].end = pos;
        while (InSet(text[pos], set))
            items[k].delim = text[pos++];
        word_start = pos;
        ++k;
    }
    items[k].start = word_start;
    items[k].end = pos;
    items[k].delim = '\0';

    list->items = items;
    list->text = text;
    list->count = count;
    return true;
}

char *GETWORD(int index, TOK_LIST list)
{
    char *word = list.text;
    for (int32_t k = 0; k < list.count; ++k) {
        list.text[list.items[k].end] = '\0';
        word = list.text + list.items[k].start;
        if (k == index)
            break;
    }
    return word;
}

void FREETOK(TOK_LIST list)
{
    free(list.items);
}

char *PACK(char *text, const char *set)
{
    TRIM(text);
    TOK_LIST list;
    if (!TOK(text, set ? set : " ", &list))
        return text;  // refused: the list is not used, the text stays as trimmed

    if (list.count > 1) {
        // The packed text is never longer than the trimmed one, so a buffer
        // of that size always holds it, also for a text past PACK_BUF.
        size_t length = strlen(text);
        size_t size = length + 1 > PACK_BUF ? length + 1 : PACK_BUF;
        char *work = static_cast<char *>(malloc(size));
        if (work) {
            size_t used = 0;
            for (int32_t k = 0; k < list.count; ++k) {
                char *word = TRIM(GETWORD(k, list));
                size_t len = strlen(word);
                memcpy(work + used, word, len);
                used += len;
                if (set && list.items[k].delim)
                    work[used++] = list.items[k].delim;
            }
            work[used] = '\0';
            memcpy(text, work, used + 1);
            free(work);
        }
    }
    FREETOK(list);
    return text;
}

}  // namespace STRING_FUNCRTIONS
