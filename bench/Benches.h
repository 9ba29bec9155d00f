// The Windows-side benchmarks; each writes its result lines with Emit.
#pragma once

#include <string>

// CDibImage against the bare read and against LoadImageA, at every bitmap size; the bitmaps
// are written into `folder`.
void RunLoadBench(const std::string& folder, int repetitions);

// The preview draw (read, palette, StretchDIBits into the frame of a shown dialog) against
// the bare read, at every bitmap size; the bitmaps are written into `folder`.
void RunPreviewBench(const std::string& folder, int repetitions);

// Start-up of Quorvane.EXE against MinimalDialog.exe and TemplateDialog.exe, all in `appFolder`,
// with 0, 1,000 and 10,000 list entries, and their memory when idle with 1,000 entries.
void RunStartupBench(const std::string& appFolder, int repetitions);

// The preview draw and the wallpaper change of a 1920 x 1080 JPEG and PNG against the platform's
// decode of the same file; scripts/bench.sh puts the pictures into `folder`.
void RunPictureBench(const std::string& folder, int repetitions);
