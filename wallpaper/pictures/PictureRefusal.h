// Why a picture cannot be shown, in the plain words of the box that tells the user.
#pragma once

#include <string>

enum class PictureRefusal {
    None,        // shown
    NotAPicture, // no kind of picture the imaging component reads (a WebP where none is installed, noise)
    TooLarge,    // wider or higher than kMaxPictureSide
    EmptyFile,
    Damaged,     // of a kind it reads, but cut short or broken
    NotWritten,  // decoded, but the wallpaper copy could not be written
};

// "<path>: <reason>", as the box shows it.
std::string RefusalText(const std::string& path, PictureRefusal refusal);
