#pragma once

#include <QFileDialog>

// The file dialog of the CSV import and export: CSV files only, resizable. The export asks about an existing
// file itself, with the name it will write, so the dialog does not.
class CFileDialogEx : public QFileDialog {
    Q_OBJECT
public:
    // `open`: an open dialog, else a save dialog; `defaultExtension` ("csv") is added to a name without one.
    CFileDialogEx(bool open, const QString& defaultExtension, QWidget* parent = nullptr);

    // The chosen file; empty before OK.
    QString GetPathName() const;
};
