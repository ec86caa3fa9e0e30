#include "archive/archive_reader.h"

#include "archive/entry_name.h"
#include "archive/utf8_thread_locale.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>

namespace vantrel {
namespace {

la_ssize_t readBlock(struct archive*, void* source, const void** block) {
    return static_cast<ArchiveSource*>(source)->read(block);
}

la_int64_t seekTo(struct archive*, void* source, la_int64_t offset, int whence) {
    const qint64 position = static_cast<ArchiveSource*>(source)->seek(offset, whence);
    return position < 0 ? ARCHIVE_FATAL : position;
}

constexpr qint64 kReadStep = 64 * 1024;

}  // namespace

ArchiveReader::ArchiveReader(std::unique_ptr<ArchiveSource> source, ArchiveBudget& budget)
    : source_(std::move(source)), budget_(budget) {
    if (!source_) {
        fail(ArchiveFailure::Damaged);
        return;
    }
    if (source_->size() > archive_limits::kArchiveBytes) {
        fail(ArchiveFailure::OverLimit, ArchiveLimit::ArchiveSize);
        return;
    }
    archive_ = archive_read_new();
    if (archive_ == nullptr) {
        fail(ArchiveFailure::Damaged);
        return;
    }
    // Named formats and built-in filters only: "all" would also take plain-text formats and run
    // external programs for some compressions.
    archive_read_support_format_zip(archive_);
    archive_read_support_format_rar(archive_);
    archive_read_support_format_rar5(archive_);
    archive_read_support_format_7zip(archive_);
    archive_read_support_format_tar(archive_);
    archive_read_support_filter_gzip(archive_);
    archive_read_support_filter_xz(archive_);
    archive_read_support_filter_bzip2(archive_);
    archive_read_set_read_callback(archive_, readBlock);
    archive_read_set_seek_callback(archive_, seekTo);
    archive_read_set_callback_data(archive_, source_.get());
    const Utf8ThreadLocale utf8;
    if (archive_read_open1(archive_) != ARCHIVE_OK) {
        fail(ArchiveFailure::NotArchive);
    }
}

ArchiveReader::~ArchiveReader() {
    if (archive_ != nullptr) {
        archive_read_free(archive_);
    }
}

bool ArchiveReader::fail(ArchiveFailure failure, ArchiveLimit limit) {
    failure_ = failure;
    limit_ = limit;
    return false;
}

bool ArchiveReader::next() {
    if (failure_ != ArchiveFailure::None) {
        return false;
    }
    // Checked before the skip so that an entry declared past the bound is never unpacked.
    if (entry_.declaredSize > entryRead_) {
        budget_.unpacked += entry_.declaredSize - entryRead_;
        if (budget_.unpacked > archive_limits::kUnpackedBytes) {
            return fail(ArchiveFailure::OverLimit, ArchiveLimit::Unpacked);
        }
    }
    entry_ = {};
    entryRead_ = 0;
    const Utf8ThreadLocale utf8;
    struct archive_entry* header = nullptr;
    const int status = archive_read_next_header(archive_, &header);
    if (status == ARCHIVE_EOF) {
        return false;
    }
    if (status < ARCHIVE_WARN) {
        return fail(archive_read_has_encrypted_entries(archive_) > 0
                        ? ArchiveFailure::HeadersEncrypted
                        : ArchiveFailure::Damaged);
    }
    if (++budget_.entries > archive_limits::kEntries) {
        return fail(ArchiveFailure::OverLimit, ArchiveLimit::Entries);
    }
    const char* raw = archive_entry_pathname(header);
    entry_.name = decodeEntryName(QByteArrayView(raw, raw == nullptr ? 0 : std::strlen(raw)));
    entry_.regularFile =
        archive_entry_filetype(header) == AE_IFREG && archive_entry_hardlink(header) == nullptr;
    entry_.encrypted = archive_entry_is_encrypted(header) != 0;
    entry_.declaredSize = archive_entry_size_is_set(header) ? archive_entry_size(header) : -1;
    return true;
}

bool ArchiveReader::readAll(qint64 maxBytes, ArchiveLimit overLimit, QByteArray& data) {
    return read(maxBytes, overLimit, true, data);
}

bool ArchiveReader::readStart(qint64 maxBytes, QByteArray& data) {
    return read(maxBytes, ArchiveLimit::None, false, data);
}

bool ArchiveReader::read(qint64 maxBytes, ArchiveLimit overLimit, bool whole, QByteArray& data) {
    using namespace archive_limits;
    data.clear();
    if (failure_ != ArchiveFailure::None) {
        return false;
    }
    if (whole && entry_.declaredSize > maxBytes) {
        return fail(ArchiveFailure::OverLimit, overLimit);
    }
    if (whole && entry_.declaredSize >= 0) {
        // Room for the last, empty read too: growing then would double the buffer.
        data.reserve(std::min(entry_.declaredSize, maxBytes) + kReadStep + 1);
    }
    const Utf8ThreadLocale utf8;
    for (;;) {
        // One byte beyond the bound tells an entry that passes it from one that ends at it.
        const qint64 step = std::min(kReadStep, maxBytes + (whole ? 1 : 0) - data.size());
        if (step <= 0) {
            break;  // readStart: enough seen
        }
        const qsizetype before = data.size();
        data.resize(before + step);
        const la_ssize_t got =
            archive_read_data(archive_, data.data() + before, static_cast<size_t>(step));
        if (got < 0) {
            data.clear();
            return fail(ArchiveFailure::Damaged);
        }
        data.resize(before + got);
        budget_.unpacked += got;
        entryRead_ += got;
        unpacked_ += got;
        if (got == 0) {
            break;
        }
        if (data.size() > maxBytes) {
            data.clear();
            return fail(ArchiveFailure::OverLimit, overLimit);
        }
        if (budget_.unpacked > kUnpackedBytes) {
            data.clear();
            return fail(ArchiveFailure::OverLimit, ArchiveLimit::Unpacked);
        }
        const qint64 packed = std::max<qint64>(source_->delivered(), 1);
        if (data.size() > kRatioFrom && unpacked_ / packed > kRatio) {
            data.clear();
            return fail(ArchiveFailure::OverLimit, ArchiveLimit::Ratio);
        }
    }
    if (!whole) {
        data.squeeze();  // kept as a sample, maybe for each of many entries
    }
    return true;
}

}  // namespace vantrel
