// The box texts of pictures that cannot be shown.
#include "PictureRefusal.h"

#include "WallpaperBitmap.h"

namespace {

std::string Reason(PictureRefusal refusal) {
    switch (refusal) {
        case PictureRefusal::None:
            return "";
        case PictureRefusal::NotAPicture:
            return "This is not a kind of picture Quorvane can show.";
        case PictureRefusal::TooLarge:
            return "The picture is larger than " + std::to_string(kMaxPictureSide) + " x " +
                   std::to_string(kMaxPictureSide) + " pixels.";
        case PictureRefusal::EmptyFile:
            return "The file is empty.";
        case PictureRefusal::NotWritten:
            return "Quorvane could not write the wallpaper file in its folder.";
        case PictureRefusal::Damaged:
            break;
    }
    return "The picture is damaged and cannot be read.";
}

}  // namespace

std::string RefusalText(const std::string& path, PictureRefusal refusal) {
    return path + ": " + Reason(refusal);
}
