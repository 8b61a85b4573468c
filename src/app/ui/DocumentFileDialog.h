#pragma once

#include <QFileDialog>

// The open and save prompts for document files: the "*.nuv" files of a folder, without the owner files
// ("~$name.nuv") that lie beside documents being edited. The dialog is Qt's own, whose list can be filtered. It asks
// nothing about an existing file: the save that takes the name does.
class CDocumentFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // An empty title leaves the dialog's own.
    CDocumentFileDialog(QWidget* parent, AcceptMode mode, const QString& title, const QString& proposedName);

    // Shows the dialog; the chosen path, empty when cancelled.
    QString Ask();
};
