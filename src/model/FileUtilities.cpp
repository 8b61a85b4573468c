#include "model/FileUtilities.h"

#include "model/CsvUtilities.h"
#include "platform/CodePageTextFile.h"

#include <QDir>

void WriteLinesToFile(platform::CodePageTextFile& file, const QStringList& lines) {
    for (const QString& line : lines)
        file.WriteString(line);
}

void WriteListItemsToFile(const std::vector<CsvTable>& tables, platform::CodePageTextFile& file) {
    for (const CsvTable& table : tables) {
        for (const QStringList& row : table) {
            QString text;
            for (const QString& cell : row)
                text += QuoteCsvField(cell);
            file.WriteString(text + '\n');
        }
        file.WriteString(QStringLiteral("\n"));
    }
}

QString MakeFileNameWithExtension(const QString& documentPath, const QString& extension, const QString& suffix) {
    QString base = documentPath;
    if (base.isEmpty()) {
        base = QDir::currentPath();
        if (base.isEmpty())
            return {};
        base += QDir::separator();
        if (suffix.isEmpty())
            return base;
        return extension.isEmpty() ? base + suffix : base + suffix + '.' + extension;
    }
    if (base.size() > 4 && base.endsWith(QLatin1String(".nuv")))
        base.chop(4);
    const QString ending = '.' + extension;
    if (base.size() > 4 && base.endsWith(ending))
        base.chop(ending.size());
    if (suffix.isEmpty())
        return extension.isEmpty() ? base : base + ending;
    return extension.isEmpty() ? base + ' ' + suffix : base + ' ' + suffix + ending;
}

QString SanitizeFileName(const QString& name) {
    static const QString reserved = QStringLiteral("/\\:*?\"<>|");
    qsizetype start = 0;
    while (start < name.size() && name[start] == '.')
        ++start;
    QString result = name.mid(start, MaxFileNameLength);
    for (QChar& c : result) {
        if (c.unicode() < 32 || reserved.contains(c))
            c = '_';
    }
    return result;
}
