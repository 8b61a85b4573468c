#include "interchange/TfsHandOver.h"

#include "model/DocumentFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

QString CTfsHandOver::AddWorkItem(CDocumentData& data, CTfsConnector& connector, const WorkItemRequest& request,
                                  bool& failed) {
    failed = true;
    // A folder of its own: nobody else can take the name between its making and the write.
    QTemporaryDir folder;
    folder.setAutoRemove(false);
    if (!folder.isValid())
        return LoadString(StringId::CannotWriteFile).arg(ShownPath(QDir::tempPath()));
    const QString path = folder.filePath(QStringLiteral("document.nuv"));
    QString errorText;
    QString result;
    if (WriteDocumentXmlFile(data, path, &errorText)) {
        result = connector.AddWorkItem(request.project, request.type, request.title, request.description, path);
        failed = result.contains(QRegularExpression(QStringLiteral("^####\\d")));
    } else {
        result = LoadString(StringId::CannotWriteFile).arg(ShownPath(path));
    }
    if (!folder.remove() || QFile::exists(path)) {
        failed = true;
        result = LoadString(StringId::TemporaryCopyLeft).arg(ShownPath(path));
    }
    return result;
}

QString CTfsHandOver::NoConnectorMessage() {
    return LoadString(StringId::NoWorkItemConnector);
}
