#pragma once

#include <string>
#include <vector>

namespace vantrel {

// What the window program's command line asks for. It is read before any window system is
// touched, so that --help and --version work without a display.
struct CommandLine {
    enum class Action { OpenWindow, ShowHelp, ShowVersion, Refuse };
    Action action = Action::OpenWindow;
    std::string error;  // for Refuse: one line saying what is wrong
};

// The arguments without the program name. Besides --help (-h) and --version (-v), the
// standard options of Qt applications (-platform, -style, -session ...) are let through,
// for Qt to take them when the window opens. Anything else is refused.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string commandLineUsage(const std::string& program);

}  // namespace vantrel
