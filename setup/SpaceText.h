// The setup about box's two lines: the free space of the install drive and the space needed.
#pragma once

#include <cstdint>
#include <string>

// "Available space: <bytes> Bytes", with every digit of a 64-bit figure.
std::string AvailableSpaceLine(uint64_t availableSpace);

// "Required space: 22000000 Bytes".
std::string RequiredSpaceLine();
