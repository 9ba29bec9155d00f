// The tip of Quorvane's icon in the notification area.
#pragma once

#include <cstddef>
#include <string>

// A tip holds at most 127 characters and its NUL.
constexpr std::size_t kMaxTrayTipLength = 127;

// "Quorvane" before any change; after one, "Quorvane: " and the file name of the picture set
// (the path after its last '\' or '/'), cut to kMaxTrayTipLength characters.
std::string TrayTip(const std::string& picturePath);
