// The icon's tip.
#include "TrayTip.h"

std::string TrayTip(const std::string& picturePath) {
    if (picturePath.empty()) return "Quorvane";
    std::size_t slash = picturePath.find_last_of("\\/");
    std::string tip = "Quorvane: " + picturePath.substr(slash == std::string::npos ? 0 : slash + 1);
    return tip.substr(0, kMaxTrayTipLength);
}
