#include "app/ui/DocumentFileDialog.h"

#include "app/DocumentExports.h"
#include "platform/OwnerFile.h"

#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

const QString kDocumentFilter = QStringLiteral("*.nuv");

class OwnerFileFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(sourceRow, 0, sourceParent);
        return files->isDir(index) || !IsOwnerFileName(files->fileName(index));
    }
};

} // namespace

CDocumentFileDialog::CDocumentFileDialog(QWidget* parent, AcceptMode mode, const QString& title,
                                         const QString& proposedName)
    : QFileDialog(parent) {
    // The desktop's own dialogs take no filter on their list.
    setOption(DontUseNativeDialog);
    setProxyModel(new OwnerFileFilter(this));
    setAcceptMode(mode);
    setFileMode(mode == AcceptOpen ? ExistingFile : AnyFile);
    // A save refuses a document in use before it asks about an existing file: the question is the save's.
    setOption(DontConfirmOverwrite);
    setNameFilter(kDocumentFilter);
    // A name typed without an extension is saved as a document, which the open prompt then lists.
    if (mode == AcceptSave)
        setDefaultSuffix(kDocumentFilter.mid(2));
    if (!title.isEmpty())
        setWindowTitle(title);
    // The proposed name's folder may be gone: the prompt opens in the nearest folder that exists, with the name.
    const FilePromptStart start = StartOfFilePrompt(proposedName);
    if (!start.folder.isEmpty())
        setDirectory(start.folder);
    if (!start.fileName.isEmpty())
        selectFile(start.fileName);
}

QString CDocumentFileDialog::Ask() {
    return exec() == Accepted ? selectedFiles().value(0) : QString();
}
