#pragma once

// A video's path as folders that may name its film, and how a folder's reading weighs against the
// file's.
#include "release/release_name.h"

#include <QString>
#include <QStringList>

namespace vantrel {

// How many folders above the file may give its film.
constexpr int kMaxFoldersUp = 4;

// The file and the folders above it, nearest first; a film's name is never far up. `fromRoot`
// tells whether the last one stands at the root (/mnt) rather than in a relative path.
QStringList pathParts(const QString& path, bool& fromRoot);

// Whether two readings name the same film: a title of one is a title of the other, compared
// without case, accents and punctuation.
bool sameFilm(const ReleaseName& a, const ReleaseName& b);

// Whether the folder's title is the film's although the file's name gives another: a short or
// abbreviated file in a release's folder (Somewhere.2010.DVDRip.XviD-iLG/i-smwhr.avi), a group
// glued before the folder's title (blow-how.to.be.single), or a Chinese title that only the
// folder gives beside the file's Latin one.
bool folderTitles(const ReleaseName& file, const ReleaseName& folder);

// Whether the text holds a Han character: a Chinese (or Japanese) title.
bool hasHan(const QString& text);

}  // namespace vantrel
