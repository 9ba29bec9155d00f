// What every Windows-side benchmark shares: the clock, the result lines, the files it makes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Seconds since an arbitrary start, from the performance counter.
double Now();

// Times `calls` calls of `work` and returns the seconds of one.
template <typename Work>
double SecondsPerCall(int calls, Work&& work) {
    double start = Now();
    for (int i = 0; i < calls; ++i) work();
    return (Now() - start) / calls;
}

// How many calls make one sample of about 40 ms, for a call that takes `seconds`.
int CallsPerSample(double seconds);

// One result line on stdout, tab-separated: group, case, repetition, subject, value. The
// report pairs the subjects of one group, case and repetition into ratios.
void Emit(const char* group, const std::string& benchCase, int repetition, const char* subject, double value);

// Progress for the person watching, on stderr.
void Say(const char* format, ...);

// Writes the bytes as the whole file; false when it cannot.
bool WriteWholeFile(const std::string& path, const void* bytes, size_t size);

// The name of the numbered picture that MakeEmptyPictures makes: p00000.bmp, p00001.bmp, ...
std::string PictureName(int number);

// Makes `folder` (its parent must exist) holding `count` empty pictures named by PictureName:
// what a folder walk lists, without the bytes that it never reads.
void MakeEmptyPictures(const std::string& folder, int count);

// Makes `folder` holding `folders` subfolders d000, d001, ... of `picturesEach` empty pictures
// each, and returns the subfolders' paths.
std::vector<std::string> MakePictureFolders(const std::string& folder, int folders, int picturesEach);

// Stops the run with a message when a step that the measurement needs fails.
[[noreturn]] void Fail(const std::string& what);

// Handles the messages that wait in this thread's queue, such as the paints of a window.
void PumpMessages();
