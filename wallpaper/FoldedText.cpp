// Text compared with ASCII letters folded to lower case.
#include "FoldedText.h"

#include <algorithm>

namespace {

bool SameFolded(char a, char b) {
    return FoldedLetter(a) == FoldedLetter(b);
}

}  // namespace

char FoldedLetter(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualFolded(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameFolded);
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualFolded(text.substr(0, prefix.size()), prefix);
}

bool EndsWithFolded(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualFolded(text.substr(text.size() - suffix.size()), suffix);
}
