#include "app/DocumentExports.h"

#include "model/AbstractIndexItem.h"
#include "model/EnvironmentOptions.h"
#include "model/ExportMessages.h"
#include "platform/CodePageTextFile.h"

#include <QFileInfo>

#include <utility>
#include <vector>

QString BuildOutlineIndexText(const CAbstractIndexItem& item, int depth, const CEnvironmentOptions& options,
                              const ModelOptions& modelOptions) {
    QString text;
    // The tree may be as deep as there are unit functions: the walk keeps its own stack.
    std::vector<std::pair<const CAbstractIndexItem*, int>> stack = {{&item, depth}};
    while (!stack.empty()) {
        const auto [current, level] = stack.back();
        stack.pop_back();
        text += QString(level, QLatin1Char('\t'));
        const QString number = current->GetOutlineNumberString();
        if (options.showPrefixInOutlineNumberOrderdIndex)
            text += number + QLatin1Char(' ');
        text += current->GetDisplayText(modelOptions);
        const QString places = current->GetFunctionOutlineText(modelOptions);
        if (options.showPostfixInOutlineNumberOrderdIndex && places != number)
            text += QStringLiteral(" (") + places + QLatin1Char(')');
        text += QLatin1Char('\n');
        for (auto child = current->children.rbegin(); child != current->children.rend(); ++child)
            stack.emplace_back(&*child, level + 1);
    }
    return text;
}

bool WriteProcessCodePageFile(const QString& path, const QString& text, qsizetype& replaced, QString& failure) {
    platform::CodePageTextFile file;
    if (file.OpenForWriting(path))
        file.WriteString(text);
    replaced = file.ReplacedCharacters();
    if (file.Commit())
        return true;
    failure = ReplacementFailureText(file, path);
    return false;
}

QString ProposeExportFileName(const QString& remembered, const QString& documentPath, const QString& fileName) {
    if (!remembered.isEmpty())
        return remembered;
    if (documentPath.size() > 4)
        return documentPath.chopped(4) + QLatin1Char('_') + fileName;
    return fileName;
}

FilePromptStart StartOfFilePrompt(const QString& name) {
    const QFileInfo info(name);
    if (name.isEmpty() || !info.isAbsolute())
        return {QString(), info.fileName()};
    if (info.isDir())
        return {info.absoluteFilePath(), QString()};
    // A folder that is gone is never made up from the current folder: the prompt opens in the nearest one left.
    QString folder = info.absolutePath();
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    return {folder, info.fileName()};
}
