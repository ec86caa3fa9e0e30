#pragma once

// `vantrel --list-subtitles` and `vantrel --place`: what they print and the exit code, apart
// from the program's own command line so that they can be tried without running it.
#include <QString>

#include <optional>

namespace vantrel {

namespace subtitle_exit {
constexpr int kPlaced = 0;   // also: listed
constexpr int kFailed = 1;   // the cause on standard error
constexpr int kUsage = 2;    // given by the command line itself
constexpr int kRefused = 3;  // the target exists (no --replace), or the best two tie
}  // namespace subtitle_exit

struct CommandOutput {
    int exitCode = subtitle_exit::kPlaced;
    QString out;    // standard output, lines ending in '\n'
    QString error;  // standard error, likewise
};

// Every subtitle, best first, a line each: rank, language, format and entry path, tab-separated.
CommandOutput listSubtitlesCommand(const QString& archivePath, const QString& videoPath);

// Places the entry named by its path (its first occurrence), or the best when none is named,
// and prints the path written.
CommandOutput placeSubtitleCommand(const QString& archivePath, const QString& videoPath,
                                   const std::optional<QString>& entryPath, bool replace);

}  // namespace vantrel
