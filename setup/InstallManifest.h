// The install manifest: the files the installer copies, and the fixed figures of an install.
#pragma once

#include <cstdint>

// One file to install: its bare name, the same at the source and at the destination, and
// the description the setup window shows beside it.
struct InstallItem {
    char szFileName[256];
    char szDescription[100];
};

// Row 0 goes to the StartUp folder, every other row to INSTALL_DIR.
extern const InstallItem g_installItems[];

// The number of rows of g_installItems.
int GetInstallItemCount();

constexpr char INSTALL_DIR[] = "C:\\QUORVANE";
// A fixed figure, not the sum of the file sizes.
constexpr uint64_t REQUIRED_SPACE = 22000000;

// Appended to the Windows folder to give the StartUp folder.
constexpr char STARTUP_PATH_95[] = "\\Start Menu\\Programs\\StartUp";
constexpr char STARTUP_PATH_NT[] = "\\Profiles\\All Users\\Start Menu\\Programs\\StartUp";
// Appended to the Windows folder: present only where NT 4.0 keeps its profiles in the Windows
// folder. Elsewhere the shell names the StartUp folders.
constexpr char PROGRAMS_PATH_NT4[] = "\\Profiles\\All Users\\Start Menu\\Programs";

// The installed wallpaper program's command line.
constexpr char PROGRAM_COMMAND[] = "C:\\QUORVANE\\QUORVANE.EXE";
