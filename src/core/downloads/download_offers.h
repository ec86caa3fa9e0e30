#pragma once

// Which file that the browser saved in the download folder to offer for placing beside the video.
// The folder is only ever looked at as a list of names, sizes and times: nothing here opens a file.
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

namespace vantrel {

struct FolderFile {
    QString name;  // the file's name in the folder, without any folder
    qint64 size = 0;
    QDateTime modified;
};

// Watches for a subtitle the user downloads after opening a file page. start() takes the folder as
// it is then; for the next 30 minutes (each start() renews them) a subtitle archive or file that
// appears there, or changes, is offered once it has settled: no browser's part file beside it, not
// empty, and the same size and time on two looks at least settleTime apart. Each is offered once.
class DownloadOffers {
public:
    static constexpr qint64 kWatchSeconds = 30 * 60;
    static constexpr qint64 kSettleMilliseconds = 1000;
    // How long an empty new file is waited for to be written before it is left until it changes.
    static constexpr qint64 kEmptyWaitMilliseconds = 30'000;

    void start(const std::vector<FolderFile>& folder, const QDateTime& now);
    // True while the folder is worth watching: within the 30 minutes.
    bool watching(const QDateTime& now) const;
    // True while a candidate waits to settle: look again after settleTime.
    bool settling() const { return !pending_.isEmpty(); }

    // Looks at the folder now; the name to offer, if one has settled (the newest of several).
    std::optional<QString> look(const std::vector<FolderFile>& folder, const QDateTime& now);

private:
    struct Seen {
        qint64 size = 0;
        QDateTime modified;
        QDateTime since;  // when it was first seen at this size and time
        bool operator==(const FolderFile& file) const {
            return size == file.size && modified == file.modified;
        }
    };
    QHash<QString, Seen> before_;   // the folder when watching started, and what was offered
    QHash<QString, Seen> pending_;  // new files waiting to settle
    QDateTime until_;
};

// A browser's file still being written (Firefox's .part, Chromium's .crdownload), or the final
// name it holds while such a file exists beside it.
bool isBeingDownloaded(const QString& name, const QSet<QString>& folderNames);

}  // namespace vantrel
