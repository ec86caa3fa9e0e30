#pragma once

#include <QTableView>

namespace vantrel {

// The result grid. (Placeholder until the grid component lands.)
class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr) : QTableView(parent) {}

signals:
    // Raised when the user chooses a row; the active cell then stands on that row.
    void rowActivated(int first, int second);
};

}  // namespace vantrel
