#include "result_view/result_actions.h"

#include "grid/grid.h"
#include "results/file_url.h"
#include "results/result_columns.h"
#include "results/result_row_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include <utility>

namespace vantrel {

namespace {

void toClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace

ResultActions::ResultActions(Grid& grid, QString host, QObject* parent)
    : QObject(parent), grid_(grid), host_(std::move(host)) {
    connect(&grid_, &Grid::rowMenuRequested, this, &ResultActions::showMenu);
    connect(&grid_, &Grid::copyRequested, this, &ResultActions::copyLink);
    grid_.setVisitedRows(
        [this](int row) { return !opened_.isEmpty() && opened_.contains(text(row, FileId)); });
}

void ResultActions::markOpened(const QString& fileId) {
    if (!opened_.contains(fileId)) {
        opened_.insert(fileId);
        grid_.refreshRowMarks();
    }
}

QString ResultActions::text(int row, int col) const {
    return row > 0 && row < grid_.Rows() ? grid_.Cell(row, col).Text() : QString();
}

void ResultActions::copyLink(int row) {
    const QString fileId = text(row, FileId);
    if (hasFileId(fileId)) {
        toClipboard(subtitleFileUrl(host_, fileId));
    }
}

void ResultActions::showMenu(int row, const QPoint& globalPos) {
    const bool linked = hasFileId(text(row, FileId));
    QMenu menu(&grid_);
    QAction* open = menu.addAction(QStringLiteral("打开文件页(&O)"));
    open->setEnabled(linked);
    menu.addSeparator();
    QAction* link = menu.addAction(QStringLiteral("复制链接(&L)"));
    link->setEnabled(linked);
    link->setShortcut(QKeySequence::Copy);  // shown beside the entry; the grid's key does it
    link->setShortcutContext(Qt::WidgetShortcut);
    QAction* name = menu.addAction(QStringLiteral("复制文件名(&N)"));
    name->setEnabled(!text(row, FileName).trimmed().isEmpty());
    QAction* whole = menu.addAction(QStringLiteral("复制整行(&R)"));
    menu.addSeparator();
    QAction* filter = menu.addAction(QStringLiteral("筛选(&F)"));
    filter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));  // shown; the window's key does it
    filter->setShortcutContext(Qt::WidgetShortcut);

    QAction* chosen = menu.exec(globalPos);
    if (row >= grid_.Rows()) {
        return;  // the rows changed while the menu was open
    }
    if (chosen == open) {
        grid_.chooseRow(row);  // the same way a double click goes
    } else if (chosen == link) {
        copyLink(row);
    } else if (chosen == name) {
        toClipboard(text(row, FileName));
    } else if (chosen == whole) {
        QStringList fields;
        for (int col = FileId; col < ResultColumnCount; ++col) {
            fields.append(text(row, col));
        }
        toClipboard(resultRowLine(fields));
    } else if (chosen == filter) {
        emit filterRequested();
    }
}

}  // namespace vantrel
