#pragma once

#include <string>
#include <vector>

namespace vantrel {

// What the window program's command line asks for. It is read before any window system is
// touched, so that --help and --version work without a display.
struct CommandLine {
    enum class Action {
        OpenWindow,
        ShowHelp,
        ShowVersion,
        PrintKeywords,
        ListSubtitles,  // files: ARCHIVE [VIDEO]
        PlaceSubtitle,  // files: ARCHIVE VIDEO [ENTRY]
        Refuse
    };
    Action action = Action::OpenWindow;
    std::string error;  // for Refuse: one line saying what is wrong
    // Video files, as paths or file: URLs: the window searches for the first one's film;
    // --keyword prints a line for each.
    std::vector<std::string> files;
    bool replace = false;  // --place --replace: an existing subtitle goes to the trash
};

// The arguments without the program name. Besides --help (-h), --version (-v), --keyword,
// --list-subtitles, --place, --replace and files, the standard options of Qt applications
// (-platform, -style, -session ...) are let through, for Qt to take them when the window opens. Any
// other option is refused. "--" ends the options: what follows is a file even when it starts with
// "-".
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string commandLineUsage(const std::string& program);

}  // namespace vantrel
