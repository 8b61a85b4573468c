#pragma once

#include <QLineEdit>

// A path box (a file field) that takes the path of a file dropped on it, replacing its text; of several files, the
// first.
class CDropEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CDropEdit(QWidget* parent = nullptr);
    explicit CDropEdit(const QString& text, QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
