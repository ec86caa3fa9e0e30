#pragma once

// The lines a subtitle shows, without what surrounds them: an ASS or SSA file's script info,
// styles, event fields and override tags, an SRT or WebVTT file's counters, timings and markup.
// Charset detectors and the language guess read these alone: font names, effect tags and
// timings outweigh the dialogue in effect-heavy files and mislead both.
#include "subtitles/subtitle_formats.h"

#include <QByteArray>
#include <QByteArrayView>

namespace vantrel {

// Works on the bytes, so that it runs before the charset is known (the structure is ASCII in
// every charset read here but UTF-16). Lines end in '\n'; at most `maxBytes` are returned, and
// with `nonAsciiOnly` only lines holding a byte above 0x7F (the ones a detector learns from).
QByteArray dialogueLines(QByteArrayView text, SubtitleFormat format, qsizetype maxBytes,
                         bool nonAsciiOnly);

}  // namespace vantrel
