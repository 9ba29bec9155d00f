// Reading the program's own files, and replacing them so that a crash, a kill or a full disk
// never leaves one half-written.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

using FilePieceSink = std::function<void(const char* data, std::size_t size)>;

// Hands the file to `piece` in pieces; false when it cannot be opened.
bool ReadFileInPieces(const char* path, const FilePieceSink& piece);

// Reads at most `maxBytes` from the start of the file; false when it cannot be opened.
bool ReadFileStart(const char* path, std::size_t maxBytes, std::string& bytes);

bool IsReadOnlyFile(const char* path);

// Writes the whole content to a new file beside `path` and moves it over `path`. False,
// with `path` untouched, when the folder is missing, `path` is read-only, or a step fails.
bool ReplaceFileContent(const char* path, const std::string& content);

// Deletes the new files that ReplaceFileContent left beside `path` when the program was ended
// between writing one and moving it: named as it names them (qv, 1 to 4 hex digits, .tmp),
// not read-only, and last written over a minute ago, since a copy of the program that is
// saving right now keeps its own for milliseconds.
void RemoveStaleTemporaryFiles(const char* path);
