#include "archive/archive_source.h"

#include <algorithm>
#include <cstdio>

namespace vantrel {
namespace {

qint64 seekTarget(qint64 position, qint64 size, qint64 offset, int whence) {
    const qint64 base = whence == SEEK_CUR ? position : whence == SEEK_END ? size : 0;
    const qint64 target = base + offset;
    return target < 0 || target > size ? -1 : target;
}

class FileSource final : public ArchiveSource {
public:
    explicit FileSource(const QString& path) : file_(path) {}
    bool open() { return file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

    qint64 read(const void** block) override {
        buffer_.resize(kBlockBytes);
        const qint64 got = file_.read(buffer_.data(), kBlockBytes);
        *block = buffer_.constData();
        delivered_ += std::max<qint64>(got, 0);
        return got;
    }
    qint64 seek(qint64 offset, int whence) override {
        const qint64 target = seekTarget(file_.pos(), file_.size(), offset, whence);
        return target >= 0 && file_.seek(target) ? target : -1;
    }
    qint64 size() const override { return file_.size(); }

private:
    QFile file_;
    QByteArray buffer_;
};

class MemorySource final : public ArchiveSource {
public:
    explicit MemorySource(QByteArray bytes) : bytes_(std::move(bytes)) {}

    qint64 read(const void** block) override {
        const qint64 got = std::min(kBlockBytes, bytes_.size() - position_);
        *block = bytes_.constData() + position_;
        position_ += got;
        delivered_ += got;
        return got;
    }
    qint64 seek(qint64 offset, int whence) override {
        const qint64 target = seekTarget(position_, bytes_.size(), offset, whence);
        if (target >= 0) {
            position_ = target;
        }
        return target;
    }
    qint64 size() const override { return bytes_.size(); }

private:
    QByteArray bytes_;
    qint64 position_ = 0;
};

}  // namespace

std::unique_ptr<ArchiveSource> openFileSource(const QString& path) {
    auto source = std::make_unique<FileSource>(path);
    if (!source->open()) {
        return nullptr;
    }
    return source;
}

std::unique_ptr<ArchiveSource> memorySource(QByteArray bytes) {
    return std::make_unique<MemorySource>(std::move(bytes));
}

}  // namespace vantrel
