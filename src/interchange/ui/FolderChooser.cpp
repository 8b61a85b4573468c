#include "interchange/ui/FolderChooser.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>

CFolderChooser::CFolderChooser(QWidget* parent) : QFileDialog(parent, LoadString(StringId::FolderSelectTitle)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly);
}

// The dialog makes its widgets when it first shows.
void CFolderChooser::showEvent(QShowEvent* event) {
    if (!m_nameBox) {
        m_list = findChild<QListView*>(QStringLiteral("listView"));
        m_nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (m_nameBox)
            m_nameBox->installEventFilter(this);
    }
    QFileDialog::showEvent(event);
}

// Typing reaches the name box even when the window system has not told it that it has the focus; the list
// then keeps every folder the typed path passes through selected and writes their names over the typing.
// The name box takes the focus before it takes the typing.
bool CFolderChooser::eventFilter(QObject* watched, QEvent* event) {
    const bool typing = event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod;
    if (watched == m_nameBox && typing && !m_nameBox->hasFocus()) {
        QApplication::setActiveWindow(this);
        m_nameBox->setFocus(Qt::OtherFocusReason);
    }
    return QFileDialog::eventFilter(watched, event);
}

// The folder the name box names, else the one selected in the shown folder, else the shown folder. The list's
// selection is read only with the name box empty: it may still hold folders whose names the typing passed through.
QString CFolderChooser::NamedFolder() const {
    QString named = m_nameBox ? m_nameBox->text() : QString();
    if (named == QLatin1String("~") || named.startsWith(QLatin1String("~/")))
        named.replace(0, 1, QDir::homePath());
    if (named.isEmpty() && m_list) {
        for (const QModelIndex& row : m_list->selectionModel()->selectedRows()) {
            if (row.parent() == m_list->rootIndex())
                return row.data(QFileSystemModel::FilePathRole).toString();
        }
    }
    return named;
}

void CFolderChooser::accept() {
    const QString named = NamedFolder();
    const QFileInfo chosen(directory(), named);
    if (!chosen.isDir()) {
        platform::ShowMessageBox(LoadString(StringId::FolderNotFound).arg(ShownPath(QDir::toNativeSeparators(named))),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    m_chosen = QDir::cleanPath(chosen.absoluteFilePath());
    QDialog::accept();
}
