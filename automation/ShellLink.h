// Reads a shortcut file the way the shell does when it starts what the shortcut names.
#pragma once

#include <string>

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
