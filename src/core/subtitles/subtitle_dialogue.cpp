#include "subtitles/subtitle_dialogue.h"

#include <algorithm>
#include <cstring>

namespace vantrel {
namespace {

bool startsWithNoCase(QByteArrayView line, QByteArrayView prefix) {
    return line.size() >= prefix.size() &&
           qstrnicmp(line.data(), prefix.data(), prefix.size()) == 0;
}

// An ASS or SSA event's text: what follows the ninth comma of a Dialogue line. Other lines (script
// info, styles, comments, fonts) say nothing.
QByteArrayView assText(QByteArrayView line) {
    if (!startsWithNoCase(line, "Dialogue:")) {
        return {};
    }
    qsizetype position = 0;
    for (int comma = 0; comma < 9; ++comma) {
        position = line.indexOf(',', position);
        if (position < 0) {
            return {};
        }
        ++position;
    }
    return line.sliced(position);
}

// An SRT, WebVTT or MicroDVD line's text: counters, timings and the WebVTT header say nothing.
QByteArrayView cueText(QByteArrayView line) {
    if (line.contains("-->") || startsWithNoCase(line, "WEBVTT")) {
        return {};
    }
    const bool counter = std::all_of(line.begin(), line.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == ' ' || c == '\r' || c == '\t';
    });
    return counter ? QByteArrayView() : line;
}

bool special(char c) {
    return c == '{' || c == '<' || c == '\\' || c == '\r';
}

// Drops {override tags} and <markup>, and turns ASS's \N, \n and \h into blanks. A '{' or '\'
// right after a byte above 0x7F may be the second byte of a GBK or Big5 character: it stays.
void appendPlain(QByteArrayView text, QByteArray& out) {
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype run = i;
        while (i < text.size() && (!special(text[i]) || (i > 0 && (text[i - 1] & 0x80) != 0))) {
            ++i;
        }
        out.append(text.sliced(run, i - run));
        if (i == text.size()) {
            break;
        }
        const char c = text[i];
        if (c == '{' || c == '<') {
            const qsizetype close = text.indexOf(c == '{' ? '}' : '>', i);
            i = close < 0 ? text.size() : close + 1;
        } else if (c == '\\' && i + 1 < text.size() &&
                   (text[i + 1] == 'N' || text[i + 1] == 'n' || text[i + 1] == 'h')) {
            out.append(' ');
            i += 2;
        } else {
            if (c != '\r') {
                out.append(c);
            }
            ++i;
        }
    }
}

bool holdsNonAscii(QByteArrayView text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

}  // namespace

QByteArray dialogueLines(QByteArrayView text, SubtitleFormat format, qsizetype maxBytes,
                         bool nonAsciiOnly) {
    const bool ass = format == SubtitleFormat::Ass || format == SubtitleFormat::Ssa;
    QByteArray out;
    qsizetype start = 0;
    while (start < text.size() && out.size() < maxBytes) {
        const void* newline = std::memchr(text.data() + start, '\n', text.size() - start);
        const qsizetype end =
            newline == nullptr ? text.size() : static_cast<const char*>(newline) - text.data();
        const QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        if (nonAsciiOnly && !holdsNonAscii(line)) {
            continue;
        }
        const QByteArrayView shown = ass ? assText(line) : cueText(line);
        const qsizetype before = out.size();
        appendPlain(shown, out);
        if (out.size() > before) {
            out.append('\n');
        }
    }
    out.truncate(std::min(out.size(), maxBytes));
    return out;
}

}  // namespace vantrel
