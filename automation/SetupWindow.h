// Control IDs of the installer's window "Setup".
#pragma once

const char* const kSetupCaption = "Setup";
const int kSetupFileList = 1000;
const int kSetupInstall = 1001;
const int kSetupFolder = 1003;
const int kSetupProgress = 1004;
