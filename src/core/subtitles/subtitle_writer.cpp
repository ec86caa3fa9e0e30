#include "subtitles/subtitle_writer.h"

#include "subtitles/subtitle_charset.h"
#include "subtitles/subtitle_messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace vantrel {
namespace {

PlacedSubtitle failure(SubtitleFailure failure, const QString& detail, QString path = {}) {
    return {std::move(path), failure, subtitleMessage(failure, detail)};
}

bool occupied(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool sameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Renames without ever replacing: renameat2's RENAME_NOREPLACE, or where the file system lacks
// it, a hard link (which fails on an existing name) and the temporary name removed.
bool renameNoReplace(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    if (link(source.constData(), target.constData()) == 0) {
        unlink(source.constData());
        return true;
    }
    // Some mounted file systems (FUSE, exFAT) have neither: a plain rename after one more look.
    const int cause = errno;
    if (cause != EPERM && cause != ENOTSUP && cause != EOPNOTSUPP) {
        return false;
    }
    if (occupied(to)) {
        errno = EEXIST;
        return false;
    }
    return std::rename(source.constData(), target.constData()) == 0;
}

// Qt 6.4 reports success even when it finds no trash folder for the file, having moved it to
// "files/" under the working folder (and its record to "info/"). Such a move is undone and
// fails: the old subtitle stays where it was.
// Takes a file back out of the trash, with the record the trash keeps of it (in "info/" beside
// "files/").
void takeBackFromTrash(const QString& inTrash, const QString& path) {
    const QFileInfo trashed(inTrash);
    QFile::rename(inTrash, path);
    QFile::remove(trashed.dir().filePath(QStringLiteral("../info/") + trashed.fileName() +
                                         QStringLiteral(".trashinfo")));
}

bool moveToTrash(const QString& path, QString& inTrash) {
    if (!QFile::moveToTrash(path, &inTrash)) {
        return false;
    }
    if (QFileInfo(inTrash).isAbsolute()) {
        return true;
    }
    takeBackFromTrash(inTrash, path);
    // Only when empty, that is when made by that move.
    QDir().rmdir(QStringLiteral("files"));
    QDir().rmdir(QStringLiteral("info"));
    return false;
}

// One file to be renamed into place, written in the video's folder under a hidden name.
struct PendingFile {
    QString target;
    std::unique_ptr<QTemporaryFile> temporary;
    QString inTrash;  // where the file it replaces went
};

QString temporaryTemplate(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX");
}

}  // namespace

PlacedSubtitle writeBesideVideo(const SubtitleFiles& files, const QString& targetPath,
                                const QString& videoPath, const QString& sourcePath, bool replace) {
    const QFileInfo video(videoPath);
    if (!video.isFile()) {
        return failure(SubtitleFailure::VideoGone, videoPath);
    }
    const QString folder = video.absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        return failure(SubtitleFailure::FolderNotWritable, QDir::toNativeSeparators(folder));
    }

    std::vector<PendingFile> pending;
    pending.push_back({targetPath, nullptr, {}});
    if (files.vobSubPair) {
        pending.push_back({withoutExtension(targetPath) + QStringLiteral(".idx"), nullptr, {}});
    }
    for (const PendingFile& file : pending) {
        if (sameFile(file.target, sourcePath)) {
            // Placing a subtitle file onto itself: it stays as it is.
            return {file.target, SubtitleFailure::TargetExists,
                    QStringLiteral("字幕文件已在视频旁：") + QFileInfo(file.target).fileName()};
        }
        if (occupied(file.target) && !replace) {
            return failure(SubtitleFailure::TargetExists, QFileInfo(file.target).fileName(),
                           file.target);
        }
    }

    for (std::size_t i = 0; i < pending.size(); ++i) {
        PendingFile& file = pending[i];
        file.temporary = std::make_unique<QTemporaryFile>(temporaryTemplate(file.target));
        if (!file.temporary->open()) {
            const int cause = errno;
            return cause == EACCES || cause == EPERM || cause == EROFS
                       ? failure(SubtitleFailure::FolderNotWritable,
                                 QDir::toNativeSeparators(folder))
                       : failure(SubtitleFailure::WriteFailed, writeCause(cause));
        }
        const QByteArray& bytes = i == 0 ? files.data : files.idxData;
        if (files.vobSubPair) {
            if (file.temporary->write(bytes) != bytes.size()) {
                return failure(SubtitleFailure::WriteFailed, writeCause(errno));
            }
        } else {
            switch (writeAsUtf8(bytes, files.format, *file.temporary)) {
                case TextWrite::Written:
                    break;
                case TextWrite::CannotDecode:
                    return failure(SubtitleFailure::CannotDecode, files.entryPath);
                case TextWrite::WriteFailed:
                    return failure(SubtitleFailure::WriteFailed, writeCause(errno));
            }
        }
        if (!file.temporary->flush() || fsync(file.temporary->handle()) != 0) {
            return failure(SubtitleFailure::WriteFailed, writeCause(errno));
        }
        file.temporary->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup | QFileDevice::ReadOther);
        file.temporary->close();
    }

    // A failure from here on puts back what was trashed: the old subtitle is never lost.
    const auto restore = [&pending] {
        for (const PendingFile& file : pending) {
            if (!file.inTrash.isEmpty() && !occupied(file.target)) {
                takeBackFromTrash(file.inTrash, file.target);
            }
        }
    };
    for (PendingFile& file : pending) {
        if (occupied(file.target) && !moveToTrash(file.target, file.inTrash)) {
            file.inTrash.clear();
            restore();
            return failure(SubtitleFailure::WriteFailed, QStringLiteral("旧字幕无法移到回收站 ") +
                                                             QFileInfo(file.target).fileName());
        }
    }
    // The .idx of a pair goes first, so that a player never finds the .sub without it.
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        if (!renameNoReplace(it->temporary->fileName(), it->target)) {
            const int cause = errno;
            for (auto done = pending.rbegin(); done != it; ++done) {
                QFile::remove(done->target);
            }
            restore();
            return cause == EEXIST ? failure(SubtitleFailure::TargetExists,
                                             QFileInfo(it->target).fileName(), it->target)
                                   : failure(SubtitleFailure::WriteFailed, writeCause(cause));
        }
        it->temporary->setAutoRemove(false);
    }
    return {targetPath, SubtitleFailure::None, {}};
}

}  // namespace vantrel
