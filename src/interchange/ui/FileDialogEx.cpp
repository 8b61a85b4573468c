#include "interchange/ui/FileDialogEx.h"

#include "texts/StringTable.h"

CFileDialogEx::CFileDialogEx(bool open, const QString& defaultExtension, QWidget* parent) : QFileDialog(parent) {
    // Our own dialog, the same on every desktop and without a display.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite);
    setNameFilter(LoadString(StringId::CsvFileDialogFilter));
    setDefaultSuffix(defaultExtension);
    setSizeGripEnabled(true);
}

QString CFileDialogEx::GetPathName() const {
    if (result() != QDialog::Accepted)
        return {};
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
