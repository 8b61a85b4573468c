#pragma once

#include <QLineEdit>

#include <optional>

// An edit box with the two selection helpers that find and replace use.
class CEditEx : public QLineEdit {
    Q_OBJECT
public:
    explicit CEditEx(QWidget* parent = nullptr);

    // The selected text, at most 256 UTF-16 units; nothing with an empty selection.
    std::optional<QString> GetSelectedText() const;
    // Selects the `count`-th occurrence of `find` (case-sensitive, occurrences not overlapping) when there is
    // one and it starts at `expectedStart` (-1: anywhere); else only puts the caret at the start.
    void SelectOccurrence(const QString& find, int count, qsizetype expectedStart);
};
