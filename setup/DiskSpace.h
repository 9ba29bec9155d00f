// The free space of the drive that holds the install folder.
#pragma once

#include <cstdint>

// In bytes, the full product of the drive's figures; 0 when the drive cannot be asked, so
// that an install then warns of too little space.
uint64_t GetAvailableSpace();
