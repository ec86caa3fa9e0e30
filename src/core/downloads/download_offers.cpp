#include "downloads/download_offers.h"

#include "subtitles/subtitle_archive.h"

namespace vantrel {
namespace {

const QString kPartSuffixes[] = {QStringLiteral(".part"), QStringLiteral(".crdownload")};

}  // namespace

bool isBeingDownloaded(const QString& name, const QSet<QString>& folderNames) {
    for (const QString& suffix : kPartSuffixes) {
        if (name.endsWith(suffix, Qt::CaseInsensitive) || folderNames.contains(name + suffix)) {
            return true;
        }
    }
    return false;
}

void DownloadOffers::start(const std::vector<FolderFile>& folder, const QDateTime& now) {
    if (!watching(now)) {
        // A new watch: what is there already is not the user's new download.
        before_.clear();
        pending_.clear();
        for (const FolderFile& file : folder) {
            before_.insert(file.name, Seen{file.size, file.modified, now});
        }
    }
    until_ = now.addSecs(kWatchSeconds);
}

bool DownloadOffers::watching(const QDateTime& now) const {
    return until_.isValid() && now < until_;
}

std::optional<QString> DownloadOffers::look(const std::vector<FolderFile>& folder,
                                            const QDateTime& now) {
    if (!watching(now)) {
        pending_.clear();
        return std::nullopt;
    }
    QSet<QString> names;
    for (const FolderFile& file : folder) {
        names.insert(file.name);
    }
    QHash<QString, Seen> stillPending;
    std::optional<QString> offer;
    QDateTime offerTime;
    for (const FolderFile& file : folder) {
        const auto known = before_.constFind(file.name);
        if ((known != before_.cend() && *known == file) || !isSubtitleArchiveOrFile(file.name) ||
            isBeingDownloaded(file.name, names)) {
            continue;
        }
        auto seen = pending_.constFind(file.name);
        if (seen == pending_.cend() || !(*seen == file)) {
            stillPending.insert(file.name, Seen{file.size, file.modified, now});
        } else if (file.size <= 0) {
            // Most writers create the file before its first bytes come, and the folder's watcher
            // does not tell when they do: an empty file is looked at for a while, then only once
            // it has changed (kept with what was there, as a file offered is).
            if (seen->since.msecsTo(now) < kEmptyWaitMilliseconds) {
                stillPending.insert(file.name, *seen);
            } else {
                before_.insert(file.name, *seen);
            }
        } else if (seen->since.msecsTo(now) < kSettleMilliseconds) {
            stillPending.insert(file.name, *seen);
        } else {
            before_.insert(file.name, *seen);  // offered once
            if (!offer || offerTime < file.modified) {
                offer = file.name;
                offerTime = file.modified;
            }
        }
    }
    pending_ = std::move(stillPending);
    return offer;
}

}  // namespace vantrel
