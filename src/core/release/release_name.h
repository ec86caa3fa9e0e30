#pragma once

// From a video or subtitle file's path to the words to search for: the film's title, its year
// and what the release says about its source and resolution.
#include <QString>

namespace vantrel {

struct ReleaseName {
    // The film's Chinese title when the name carries one, else its Latin-script title.
    QString keyword;
    // The other title: English beside a Chinese one (and the reverse); empty if none.
    QString otherTitle;
    QString year;        // "1900".."2099" or empty
    QString source;      // one of BluRay, WEB-DL, WEBRip, HDTV, DVDRip, HDRip, or empty
    QString resolution;  // one of 2160p, 1080p, 720p, 576p, 480p, or empty
    QString group;       // the release group ("-OurTV" gives OurTV), or empty
    // A series' season and episode; -1 when the name gives none (a film, or a range of episodes).
    int season = -1;
    int episode = -1;
};

// Reads only the name (never the file). `path` is a local path (may hold folders) as text; bytes
// that were not UTF-8 arrive as U+FFFD. Any input, of any length, must never crash. When the file
// name holds no title (movie.mkv, VTS_01_1.VOB, STREAM/00001.m2ts) the nearest folder that does
// gives it; a folder also fills the year, source and resolution the file name lacks.
ReleaseName parseReleaseName(const QString& path);

// Reads one name read by the same rules, without folders: a search result's name or version.
ReleaseName parseReleaseText(const QString& name);

}  // namespace vantrel
