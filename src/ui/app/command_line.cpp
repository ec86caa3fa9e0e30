#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel {
namespace {

// Options that every Qt GUI program takes (one or two leading dashes, a value either as the
// next argument or after '='), and those that stand alone.
constexpr std::array<std::string_view, 12> kQtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 5> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb",
                                                      "qmljsdebugger"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine refuse(std::string error) {
    return {CommandLine::Action::Refuse, std::move(error), {}, false};
}

// The subtitle commands' files: ARCHIVE [VIDEO] to list, ARCHIVE VIDEO [ENTRY] to place.
CommandLine subtitleCommand(CommandLine::Action action, const std::string& option,
                            CommandLine result) {
    const std::size_t least = action == CommandLine::Action::ListSubtitles ? 1 : 2;
    const char* const wanted =
        action == CommandLine::Action::ListSubtitles ? "ARCHIVE [VIDEO]" : "ARCHIVE VIDEO [ENTRY]";
    if (result.files.size() < least || result.files.size() > least + 1) {
        return refuse("option '" + option + "' needs " + wanted);
    }
    result.action = action;
    return result;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    bool keywords = false;
    bool list = false;
    bool place = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            result.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            result.action = CommandLine::Action::ShowHelp;
            continue;
        }
        if (argument == "--version" || argument == "-v") {
            if (result.action != CommandLine::Action::ShowHelp) {
                result.action = CommandLine::Action::ShowVersion;
            }
            continue;
        }
        if (argument == "--keyword") {
            keywords = true;
            continue;
        }
        if (argument == "--list-subtitles" || argument == "--place") {
            (argument == "--place" ? place : list) = true;
            continue;
        }
        if (argument == "--replace") {
            result.replace = true;
            continue;
        }
        std::string_view name(argument);
        name.remove_prefix(name.rfind("--", 0) == 0 ? 2 : 1);
        const std::size_t equals = name.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        name = name.substr(0, equals);
        if (contains(kQtFlags, name)) {
            continue;
        }
        if (!contains(kQtOptionsWithValue, name)) {
            return refuse("unknown option '" + argument + "'");
        }
        if (!valueAttached && ++i == arguments.size()) {
            return refuse("option '" + argument + "' needs a value");
        }
    }
    if (keywords + list + place > 1) {
        return refuse("options '--keyword', '--list-subtitles' and '--place' go alone");
    }
    if (result.replace && !place) {
        return refuse("option '--replace' goes with '--place'");
    }
    if (result.action != CommandLine::Action::OpenWindow) {
        return result;
    }
    if (list) {
        return subtitleCommand(CommandLine::Action::ListSubtitles, "--list-subtitles", result);
    }
    if (place) {
        return subtitleCommand(CommandLine::Action::PlaceSubtitle, "--place", result);
    }
    if (keywords) {
        if (result.files.empty()) {
            return refuse("option '--keyword' needs at least one file");
        }
        result.action = CommandLine::Action::PrintKeywords;
    }
    return result;
}

std::string commandLineUsage(const std::string& program) {
    return "usage: " + program +
           " [--help] [--version] [Qt options such as -style NAME or -platform NAME] [FILE]\n"
           "       " +
           program +
           " --keyword FILE...\n"
           "       " +
           program +
           " --list-subtitles ARCHIVE [VIDEO]\n"
           "       " +
           program +
           " --place ARCHIVE VIDEO [ENTRY] [--replace]\n"
           "Opens the subtitle search window; given a video FILE (a path or a file: URL), "
           "searches\n"
           "at once for its film.\n"
           "  -h, --help         show this text and exit\n"
           "  -v, --version      show the version and exit\n"
           "  --keyword FILE...  print, for each file, its keyword, other title, year, source and\n"
           "                     resolution, tab-separated, one line per file, and exit\n"
           "  --list-subtitles ARCHIVE [VIDEO]\n"
           "                     print the subtitles of a subtitle archive (zip, rar, 7z, tar) or\n"
           "                     file, best first for the VIDEO, one a line: rank, language,\n"
           "                     format and entry path, tab-separated\n"
           "  --place ARCHIVE VIDEO [ENTRY]\n"
           "                     write the best subtitle (or the ENTRY listed) beside the VIDEO "
           "as\n"
           "                     NAME.zh.EXT or NAME.en.EXT in UTF-8, and print its path\n"
           "  --replace          with --place: move a subtitle already there to the trash\n"
           "Exit status: 0 done; 1 failed (the cause on standard error); 2 wrong usage;\n"
           "3 refused: with --place, a subtitle of that name is there (no --replace), or\n"
           "the best two subtitles tie (the list is printed: name the ENTRY).\n";
}

}  // namespace vantrel
