#pragma once

// A subtitle's language: from the tags of its entry's name (chs, cht, big5, 简体, 繁英, 中英,
// 双语, chs&eng ...) and, where they say too little, from its dialogue (characters that only
// Simplified or only Traditional script uses, lines in English).
#include "subtitles/subtitle_archive.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace vantrel {

struct LanguageTags {
    bool simplified = false;
    bool traditional = false;
    bool chinese = false;  // Chinese without a script (中文, chi, zh)
    bool english = false;

    // The name alone gives the language: the text need not be read.
    bool settled() const { return simplified || traditional || (english && !chinese); }
};

// The file name's tags; where it has none, the nearest folder's that has some.
LanguageTags languageTagsOfName(const QString& entryPath);

// A VobSub .idx file's "id: zh, index: 0" lines.
LanguageTags languageTagsOfIdx(QByteArrayView idxText);

struct TextLanguage {
    bool chinese = false;
    bool traditional = false;  // with chinese: more Traditional-only characters than Simplified
    bool english = false;      // lines in English, alone or beside the Chinese
};

// Reads dialogue lines (subtitle_dialogue.h), decoded.
TextLanguage languageOfText(QStringView dialogue);

// The name's tags first; the text (when read) fills in the script and the English.
SubtitleLanguage subtitleLanguage(const LanguageTags& tags,
                                  const std::optional<TextLanguage>& text);

}  // namespace vantrel
