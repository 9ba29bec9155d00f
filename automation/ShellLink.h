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

// The StartUp folders whose shortcuts the shell opens at log-on: all users' first, then the
// user's own (SHGetFolderPath); a folder the shell does not know is left out.
std::vector<std::string> ShellStartupFolders();
// The NT 4.0 StartUp folder under the Windows folder, which the installer prefers where it exists.
std::string Nt4StartupFolder();
