// Any bytes as a subtitle archive, and every entry read from it as a subtitle's text: reading
// stays within its bounds and never crashes, whatever the archive says about itself.
#include "archive/archive_reader.h"
#include "subtitles/subtitle_charset.h"
#include "subtitles/subtitle_dialogue.h"
#include "subtitles/subtitle_language.h"

#include <cstddef>
#include <cstdint>

namespace {

void readAsText(QByteArrayView bytes, vantrel::SubtitleFormat format) {
    const QByteArray dialogue = vantrel::dialogueLines(bytes, format, 16 * 1024, false);
    const QString text = vantrel::decodeSample(dialogue, format);
    (void)vantrel::languageOfText(text);
    (void)vantrel::likelyEncodings(bytes, format);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readAsText(bytes, vantrel::SubtitleFormat::Ass);
    vantrel::ArchiveBudget budget;
    vantrel::ArchiveReader reader(vantrel::memorySource(bytes), budget);
    QByteArray entry;
    while (reader.next()) {
        (void)vantrel::languageTagsOfName(reader.entry().name);
        if (reader.entry().regularFile && reader.readAll(vantrel::archive_limits::kSubtitleBytes,
                                                         vantrel::ArchiveLimit::EntrySize, entry)) {
            readAsText(entry, vantrel::subtitleFormatOf(reader.entry().name));
        }
    }
    return 0;
}
