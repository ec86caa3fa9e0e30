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
    return {CommandLine::Action::Refuse, std::move(error), {}};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    bool keywords = false;
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
    if (keywords && result.action == CommandLine::Action::OpenWindow) {
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
           "Opens the subtitle search window; given a video FILE (a path or a file: URL), "
           "searches\n"
           "at once for its film.\n"
           "  -h, --help         show this text and exit\n"
           "  -v, --version      show the version and exit\n"
           "  --keyword FILE...  print, for each file, its keyword, other title, year, source,\n"
           "                     resolution and episode (S01E02), tab-separated, one line per\n"
           "                     file, and exit\n";
}

}  // namespace vantrel
