// The ways of getting a .bmp file into memory that the load and preview benchmarks compare.
#pragma once

#include <string>

#include "BenchFiles.h"

// Writes the bitmap of this size into the folder and returns its path.
std::string WriteBitmapFile(const std::string& folder, const BitmapSize& size);

// The physical limit: open, read the 14-byte file header, read the rest of the file into a
// new block of the process heap, close, free. Two ReadFile calls, nothing checked.
void BareRead(const char* path);

// The same, with one byte of every page of the new block written before the second read: the
// least a ReadFile into new memory costs under Wine, whose ReadFile first probes every page of
// the buffer with a read and a write (two faults for a page never touched, one otherwise).
void BareReadTouched(const char* path);

// The program's reader: CDibImage loaded and destroyed.
void LoadWithDibImage(const char* path);

// The platform's loader: LoadImageA(LR_LOADFROMFILE | LR_CREATEDIBSECTION), then DeleteObject.
void LoadWithPlatform(const char* path);
