// Reads a shortcut file the way the shell does when it starts what the shortcut names.
#pragma once

#include <string>
#include <vector>

struct ShellLinkTarget {
    bool loaded = false;
    std::string path;
    std::string workingFolder;
    // Which call failed, with its result, when the link could not be read.
    std::string failure;
};

// Loads `linkFile` through the shell's link object (IPersistFile::Load) and asks it for the
// target path and the working folder (IShellLinkA::GetPath, GetWorkingDirectory).
ShellLinkTarget ResolveShellLink(const std::string& linkFile);

// The folder the shell names for `csidl` (CSIDL_COMMON_STARTUP, CSIDL_STARTUP, ...); empty when
// it names none.
std::string ShellFolder(int csidl);
// <Windows>\Profiles\All Users\Start Menu\Programs\StartUp, where NT 4.0 keeps the all-users
// StartUp folder; with `level` 1 to 4 the folders above it, Profiles first.
std::string Nt4StartupFolder(int level = 5);
// The StartUp folders whose shortcuts the shell opens at log-on: all users' first, then the user's.
std::vector<std::string> ShellStartupFolders();
