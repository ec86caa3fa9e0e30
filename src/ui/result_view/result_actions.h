#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QPoint;

namespace vantrel {

class Grid;

// What the user can do with a result row besides double-clicking it: a menu that opens the row,
// copies its link, file name or fields, or opens the filter; Ctrl+C for the current row's link; and
// the visited look of every row whose file page has been opened while the window is open. Nothing
// is kept on disk.
class ResultActions final : public QObject {
    Q_OBJECT
public:
    ResultActions(Grid& grid, QString host, QObject* parent);

    // The file page of this id was opened: its rows show as visited on every page from now on.
    void markOpened(const QString& fileId);

signals:
    // The user chose the menu's filter entry.
    void filterRequested();

private:
    void showMenu(int row, const QPoint& globalPos);
    void copyLink(int row);
    QString text(int row, int col) const;

    Grid& grid_;
    QString host_;
    QSet<QString> opened_;
};

}  // namespace vantrel
