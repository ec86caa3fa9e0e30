#pragma once

// Which files are subtitles, which are archives, by their names alone.
#include <QString>

namespace vantrel {

enum class SubtitleFormat { None, Ass, Ssa, Srt, Vtt, Sub, Idx };

// By the extension, case-insensitively; None for anything else.
SubtitleFormat subtitleFormatOf(const QString& name);

// An archive the reader takes: .zip .rar .7z .tar .tar.gz .tgz .tar.xz .txz .tar.bz2 .tbz2.
bool isArchiveName(const QString& name);

// The extension in lower case as it is shown and written: "ass", "srt" ...; empty for None.
QString formatExtension(SubtitleFormat format);

// .ass and .ssa before .srt before the rest: the order among subtitles alike in all else.
int formatPreference(SubtitleFormat format);

// The name without its subtitle extension ("a/b.SUB" -> "a/b"), to pair a .sub with its .idx.
QString withoutExtension(const QString& name);

}  // namespace vantrel
