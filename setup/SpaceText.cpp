// The setup about box's lines.
#include "SpaceText.h"

#include "InstallManifest.h"

std::string AvailableSpaceLine(uint64_t availableSpace) {
    return "Available space: " + std::to_string(availableSpace) + " Bytes";
}

std::string RequiredSpaceLine() {
    return "Required space: " + std::to_string(REQUIRED_SPACE) + " Bytes";
}
