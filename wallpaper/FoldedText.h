// Text compared with ASCII letters folded to lower case, as _stricmp and the profile functions
// compare names: other bytes stay as they are.
#pragma once

#include <string_view>

char FoldedLetter(char c);

bool EqualFolded(std::string_view a, std::string_view b);
bool StartsWithFolded(std::string_view text, std::string_view prefix);
bool EndsWithFolded(std::string_view text, std::string_view suffix);
