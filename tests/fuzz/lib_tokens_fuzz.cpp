// The tokenizer and PACK over arbitrary texts and delimiter sets: no crash,
// no overrun, words that hold no delimiter, and a packed text never longer
// than the one it came from.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "tokens.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The refusal message goes to stdout; keep the fuzzer's log readable.
    if (!freopen("/dev/null", "w", stdout))
        return 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // First byte: length of the delimiter set that follows; then the text.
    if (size == 0)
        return 0;
    size_t set_len = data[0] % 8;
    if (set_len > size - 1)
        set_len = size - 1;
    std::string set(reinterpret_cast<const char *>(data + 1), set_len);
    set = set.c_str();  // up to its first NUL
    std::string text(reinterpret_cast<const char *>(data + 1 + set_len), size - 1 - set_len);
    text = text.c_str();
    size_t length = text.size();

    std::string copy = text;
    TOK_LIST list;
    if (STRING_FUNCRTIONS::TOK(&copy[0], set.c_str(), &list)) {
        if (list.count < 1 || list.count > TOK_MAX_WORDS)
            __builtin_trap();
        int32_t previous_end = -1;
        for (int32_t k = 0; k < list.count; ++k) {
            const TOK_ITEM &item = list.items[k];
            if (item.start > item.end || item.end > static_cast<int32_t>(length) ||
                item.start <= previous_end)
                __builtin_trap();
            for (int32_t i = item.start; i < item.end; ++i)
                if (strchr(set.c_str(), copy[i]) && !set.empty())
                    __builtin_trap();
            previous_end = item.end;
        }
        if (list.items[list.count - 1].end != static_cast<int32_t>(length))
            __builtin_trap();
        STRING_FUNCRTIONS::GETWORD(static_cast<int>(size % 400) - 50, list);
        STRING_FUNCRTIONS::FREETOK(list);
    }

    std::string packed = text;
    STRING_FUNCRTIONS::PACK(&packed[0], set.empty() ? nullptr : set.c_str());
    if (strlen(packed.c_str()) > length)
        __builtin_trap();
    return 0;
}
