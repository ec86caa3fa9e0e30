#include "subtitle_placing/download_folder_watch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include <utility>

namespace vantrel {
namespace {

std::vector<FolderFile> listFolder(const QString& folder) {
    std::vector<FolderFile> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    files.reserve(static_cast<std::size_t>(entries.size()));
    for (const QFileInfo& entry : entries) {
        files.push_back(FolderFile{entry.fileName(), entry.size(), entry.lastModified()});
    }
    return files;
}

}  // namespace

DownloadFolderWatch::DownloadFolderWatch(QString folder, QObject* parent)
    : QObject(parent),
      folder_(std::move(folder)),
      settle_(new QTimer(this)),
      end_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setInterval(static_cast<int>(DownloadOffers::kSettleMilliseconds));
    connect(settle_, &QTimer::timeout, this, &DownloadFolderWatch::look);
    end_->setSingleShot(true);
    end_->setInterval(static_cast<int>(DownloadOffers::kWatchSeconds * 1000));
    connect(end_, &QTimer::timeout, this, [this] {
        delete std::exchange(watcher_, nullptr);
        settle_->stop();
    });
}

void DownloadFolderWatch::filePageOpened() {
    if (folder_.isEmpty() || !QFileInfo(folder_).isDir()) {
        return;
    }
    offers_.start(listFolder(folder_), QDateTime::currentDateTimeUtc());
    end_->start();
    if (watcher_ == nullptr) {
        watcher_ = new QFileSystemWatcher({folder_}, this);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &DownloadFolderWatch::look);
    }
}

void DownloadFolderWatch::look() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (const std::optional<QString> name = offers_.look(listFolder(folder_), now)) {
        emit subtitleDownloaded(QDir(folder_).filePath(*name));
    }
    if (offers_.settling()) {
        settle_->start();
    }
}

}  // namespace vantrel
