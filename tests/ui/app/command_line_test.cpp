// What the window program makes of its arguments before any window exists.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

using Action = CommandLine::Action;
using Arguments = std::vector<std::string>;

TEST(CommandLineTest, FilesOptionsAndTheEndOfOptions) {
    const struct {
        Arguments arguments;
        Action action;
        Arguments files;
    } cases[] = {
        {{"film.mkv"}, Action::OpenWindow, {"film.mkv"}},
        {{"--", "-film.mkv"}, Action::OpenWindow, {"-film.mkv"}},  // a name, not an option
        {{"--keyword", "--", "--help"}, Action::PrintKeywords, {"--help"}},
        {{"-style", "fusion", "-"}, Action::OpenWindow, {"-"}},  // "-" alone is a file
        {{"-film.mkv"}, Action::Refuse, {}},
        {{"--keyword"}, Action::Refuse, {}},
        {{"-v", "--help"}, Action::ShowHelp, {}},
    };
    for (const auto& one : cases) {
        const CommandLine read = parseCommandLine(one.arguments);
        EXPECT_EQ(std::tie(read.action, read.files), std::tie(one.action, one.files))
            << one.arguments.front() << " ... (" << read.error << ")";
    }
}

}  // namespace
}  // namespace vantrel
