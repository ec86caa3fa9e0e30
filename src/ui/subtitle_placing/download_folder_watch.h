#pragma once

#include "downloads/download_offers.h"

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace vantrel {

// Watches the download folder for a while after a file page was opened, and says when a subtitle
// archive or file the browser saved there has settled. It only lists the folder: no file in it is
// opened, changed or moved.
class DownloadFolderWatch final : public QObject {
    Q_OBJECT
public:
    DownloadFolderWatch(QString folder, QObject* parent);

    // A file page was opened in the browser: watch for the next 30 minutes.
    void filePageOpened();

signals:
    void subtitleDownloaded(const QString& path);

private:
    void look();

    QString folder_;
    QFileSystemWatcher* watcher_ = nullptr;  // only while watching
    QTimer* settle_;                         // looks again while a new file may still grow
    QTimer* end_;                            // the end of the 30 minutes
    DownloadOffers offers_;
};

}  // namespace vantrel
