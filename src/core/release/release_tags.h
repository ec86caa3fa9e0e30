#pragma once

// The words of a release name that describe the release rather than name the film.
#include <QString>

namespace vantrel {

struct ReleaseTag {
    // Weak tags are also ordinary title words ("Web", "Uncut", "3D", "English"); whether one is a
    // tag depends on where it stands in the name.
    enum class Strength { None, Weak, Strong };
    Strength strength = Strength::None;
    QString source;      // BluRay, WEB-DL, WEBRip, HDTV, DVDRip, HDRip or empty
    QString resolution;  // 2160p, 1080p, 720p, 576p, 480p or empty
};

// Reads one Latin-script token, case-insensitively.
ReleaseTag latinReleaseTag(const QString& token);

enum class CjkRole { Title, Tag, Junk };

// Language, subtitle, edition and episode tags (国语, 中英字幕, 加长版, 第2季) are tags; site and
// group names (电影天堂, 某某字幕组) and generic words (电影, 视频) are junk.
CjkRole cjkRole(const QString& token);

// Where a tag glued to the end of a CJK title starts ("英雄国语中字" -> 2), or -1.
qsizetype cjkTagSuffix(const QString& token);

// Where a season's or an episode's mark glued into a CJK token starts ("庆余年第二季第3集" -> 3,
// `length` 3), or -1.
qsizetype cjkEpisodeMark(const QString& token, qsizetype& length);

}  // namespace vantrel
