#pragma once

#include <QFileDialog>

class QLineEdit;
class QListView;

// The chooser of the folder to import. It takes the folder the user chose: the one named in the name box
// (typed, or put there by picking it in the list), resolved against the shown folder; with the box empty, the
// one selected in the shown folder, else the shown folder (where a double-click has entered). A name box naming
// no folder is said and keeps the chooser open.
class CFolderChooser : public QFileDialog {
    Q_OBJECT
public:
    explicit CFolderChooser(QWidget* parent = nullptr);

    // The chosen folder; empty before it is accepted.
    QString ChosenFolder() const { return m_chosen; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString NamedFolder() const;

    QLineEdit* m_nameBox = nullptr;
    QListView* m_list = nullptr;
    QString m_chosen;
};
