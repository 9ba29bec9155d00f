// The Windows-side benchmarks; each writes its result lines with Emit.
#pragma once

#include <string>

// CDibImage against the bare read and against LoadImageA, at every bitmap size; the bitmaps
// are written into `folder`.
void RunLoadBench(const std::string& folder, int repetitions);

// The bitmap preview (read, shrink to the frame's inside, palette, 1:1 draw on a shown dialog)
// against the bare read, at every bitmap size; the bitmaps are written into `folder`.
void RunPreviewBench(const std::string& folder, int repetitions);

// Start-up of Quorvane.EXE against MinimalDialog.exe and TemplateDialog.exe, all in `appFolder`,
// with 0, 1,000 and 10,000 list entries, and their memory when idle with 1,000 entries; and
// Quorvane.EXE with 10 folder lines (their pictures made in `folder`) against 10 picture lines.
void RunStartupBench(const std::string& folder, const std::string& appFolder, int repetitions);

// Finding the next picture of a list of one folder line (the sequence of its pictures and the
// timer's step) against a bare FindFirstFileExA walk of the same tree: one folder of 10,000
// pictures, and 100 folders of 100; the trees are made in `folder`.
void RunFolderBench(const std::string& folder, int repetitions);

// The preview's first draw and repaint and the wallpaper change (the prefix's style and Fill) of
// photos from 1920 x 1080 to 12000 x 8000 against the platform's decode of the same file, and the
// wallpaper copy's size against the screen's; scripts/bench.sh puts the pictures into `folder`.
void RunPictureBench(const std::string& folder, int repetitions);

// The peak memory of the wallpaper change (both styles) and of the preview's decode of the photos
// larger than the screen, against a banded 24-bit decode, each in a process of its own
// (MeasurePeakMemory).
void RunPictureMemoryBench(const std::string& folder, int repetitions);

// The composed wallpaper (Fill) of a 6000 x 4000 photo: the change against the change with System
// setting, the composition alone (decoded beforehand) against the platform's decode, and two
// monitors against one per pixel written; scripts/bench.sh puts the photo into `folder`.
void RunCompositionBench(const std::string& folder, int repetitions);

// The peak memory of the System-setting change and of the composed change on one and on two
// monitors of that photo, against a banded 24-bit decode, each in a process of its own.
void RunCompositionMemoryBench(const std::string& folder, int repetitions);

// In the process started for one memory subject ("decode24", "wallpaper", "wallpaper-fill",
// "preview", "composed-fill" or "two-monitors") of the picture `path`: runs it and writes the
// process's peak working set in bytes to stdout.
int MeasurePeakMemory(const std::string& folder, const std::string& subject, const std::string& path);
