// Control IDs of Quorvane's main dialog "Quorvane".
#pragma once

const int kCurrentSelection = 1001;
const int kWallpaperList = 1002;
const int kAdd = 1003;
const int kRemove = 1004;
const int kSetWallpaperNow = 1000;
const int kMinutes = 1007;
const int kFreqMinutes = 1008;
const int kFreqOnceADay = 1009;
const int kFreqOncePerRun = 1010;
const int kApplySettings = 1011;
const int kRandomPick = 1012;
const int kStartMinimized = 1013;
const int kAllowPreview = 1018;
