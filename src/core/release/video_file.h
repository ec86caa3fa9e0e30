#pragma once

// What the window and the command line do with a video file's name beyond reading it.
#include "release/release_name.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vantrel {

// A command-line argument naming a video file: a path, whose bytes need not be UTF-8, or a
// file: URL as file managers pass it.
QString videoPathFromArgument(const QByteArray& argument);

// One line of `vantrel --keyword`: keyword, other title, year, source and resolution, separated
// by tabs, each empty when unknown. Tabs and line breaks inside a title become blanks so that
// the line keeps its five fields.
QString keywordLine(const ReleaseName& name);

// Whether a result's text (its name or version) names the video's release: its source and its
// resolution, each where the video's name gives one, read with the same tags as file names.
// False when the video's name gives neither.
bool carriesRelease(QStringView text, const ReleaseName& video);

}  // namespace vantrel
