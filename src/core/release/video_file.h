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

// A series' episode as S01E02, or E02 when the name gives no season; empty for a film or a range.
QString episodeLabel(const ReleaseName& name);

// One line of `vantrel --keyword`: keyword, other title, year, source, resolution and episode,
// separated by tabs, each empty when unknown. Tabs and line breaks inside a title become blanks
// so that the line keeps its six fields.
QString keywordLine(const ReleaseName& name);

// Whether a result's text (its name or version) names the video's release: its source and its
// resolution, each where the video's name gives one, read with the same tags as file names, and
// for a series the same season and episode. False when the video's name gives neither source nor
// resolution.
bool carriesRelease(QStringView text, const ReleaseName& video);

}  // namespace vantrel
