#include "generators/CommentSourceOutput.h"

#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/ExportMessages.h"
#include "model/FileUtilities.h"
#include "model/TextUtilities.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Rounds of a replacement tag between two loop questions.
constexpr int RoundsPerQuestion = 16;

void AbortWith(StringId message) {
    platform::ShowMessageBox(LoadString(message), platform::MessageButtons::Ok, platform::MessageIcon::Error);
    throw CCommentSourceExpander::Aborted{};
}

// Nothing when the file is written, else why not.
std::optional<QString> WriteCommentSourceFile(const QString& path, const QString& text) {
    QString withLineEnds = text;
    withLineEnds.replace('\n', QLatin1String("\r\n"));
    return ReplaceFileContent(path, withLineEnds.toUtf8());
}

} // namespace

CCommentSourceExpander::CCommentSourceExpander(const CDocumentData& data, const QString& documentPath)
    : m_data(data), m_documentPath(documentPath) {}

QString CCommentSourceExpander::ExpandTemplateNode(const TemplateNode& node, const CUnitFunction& function) const {
    switch (node.kind) {
    case TemplateNode::Literal:
        return node.text;
    case TemplateNode::Command:
        return ExpandCommand(node, function);
    case TemplateNode::Sequence:
        break;
    }
    QString text;
    for (const TemplateNode& child : node.children) {
        text += ExpandTemplateNode(child, function);
        if (text.size() > m_room)
            AbortWith(StringId::CommentSourceTooLong);
    }
    return text;
}

QString CCommentSourceExpander::ExpandCommand(const TemplateNode& command, const CUnitFunction& function) const {
    const QString& name = command.text;
    const auto& arguments = command.arguments;
    if (name == QLatin1String("N"))
        return QStringLiteral("\n");
    if (name == QLatin1String("T"))
        return QStringLiteral("\t");
    if (name == QLatin1String("L"))
        return QStringLiteral("<");
    if (name == QLatin1String("G"))
        return QStringLiteral(">");
    if (name == QLatin1String("S"))
        return QStringLiteral(";");
    if (name == QLatin1String("E")) {
        if (arguments.size() < 3)
            return {};
        return ExpandTemplateNode(arguments[0], function).isEmpty() ? ExpandTemplateNode(arguments[1], function)
                                                                    : ExpandTemplateNode(arguments[2], function);
    }
    if (name == QLatin1String("R"))
        return ExpandReplacement(command, function);
    if (name == QLatin1String("o"))
        return function.GetOutlineNumberText(m_data.GetModelOptions().DistinguishPrimaryOutlineNumber);
    if (name == QLatin1String("n"))
        return function.name;
    if (name == QLatin1String("r"))
        return JoinWithCommas(function.header.EffectiveRequirements());
    if (name == QLatin1String("u"))
        return function.header.uniqueLabel;
    if (name == QLatin1String("a"))
        return GetFunctionAttribute(m_data, function.header.TypeNo).symbol;
    if (name == QLatin1String("ae"))
        return GetFunctionAttribute(m_data, function.header.TypeNo).details;
    if (name == QLatin1String("f"))
        return m_documentPath.isEmpty() ? QString() : QFileInfo(m_documentPath).fileName();
    if (name == QLatin1String("p"))
        return m_documentPath;
    if (name == QLatin1String("t"))
        return m_data.documentHeader.Title;
    if (name == QLatin1String("c"))
        return function.codeSymbol;
    return {};
}

QString CCommentSourceExpander::ExpandReplacement(const TemplateNode& command, const CUnitFunction& function) const {
    const auto& arguments = command.arguments;
    if (arguments.size() < 3 || arguments.size() % 2 == 0)
        return {};
    QString text = ExpandTemplateNode(arguments[0], function);
    std::vector<std::pair<QString, QString>> pairs;
    for (size_t i = 1; i + 1 < arguments.size(); i += 2)
        pairs.emplace_back(ExpandTemplateNode(arguments[i], function), ExpandTemplateNode(arguments[i + 1], function));
    int rounds = 0;
    for (;;) {
        if (rounds == RoundsPerQuestion) {
            if (!platform::AskOkCancel(LoadString(StringId::CommentSourceLoopQuestion), platform::MessageIcon::Warning))
                throw Aborted{};
            rounds = 0;
        }
        const QString before = text;
        for (const auto& [search, replacement] : pairs) {
            if (!search.isEmpty())
                text.replace(search, replacement);
            if (text.size() > MaxReplacedLength)
                AbortWith(StringId::CommentSourceTooLong);
        }
        ++rounds;
        if (text == before)
            return text;
    }
}

QString ExpandCommentSource(const CDocumentData& data, const QString& documentPath, const TemplateNode& root) {
    CCommentSourceExpander expander(data, documentPath);
    QString text;
    for (const CUnitFunction* function :
         data.registry.InOutlineOrder(data.GetModelOptions().DistinguishPrimaryOutlineNumber)) {
        expander.LimitOutput(CCommentSourceExpander::MaxOutputLength - text.size());
        text += expander.ExpandTemplateNode(root, *function);
        if (text.size() > CCommentSourceExpander::MaxOutputLength)
            AbortWith(StringId::CommentSourceTooLong);
    }
    return text;
}

QString DefaultCommentSourceFileName(const QString& documentPath, const QString& documentName) {
    const QString extension = LoadString(StringId::CommentSourceExtension);
    if (!documentPath.isEmpty()) {
        const QFileInfo info(documentPath);
        return info.dir().filePath(info.completeBaseName() + '.' + extension);
    }
    return QDir::current().filePath(SanitizeFileName(documentName) + '.' + extension);
}

CommentSourceOkResult AcceptCommentSourceDialog(CDocumentData& data, const QString& documentPath,
                                                const QString& fileName, const QString& templateText) {
    data.environment.outputSourceCodeFileName = fileName;
    data.environment.outputSourceCodeFormat = templateText;
    if (fileName.isEmpty()) {
        platform::ShowMessageBox(LoadString(StringId::FileNameNotEntered), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return CommentSourceOkResult::KeepOpen;
    }
    if (!ConfirmExportFile(fileName))
        return CommentSourceOkResult::KeepOpen;
    qsizetype consumed = 0;
    const TemplateNode root = ParseTemplate(templateText, consumed);
    if (consumed != templateText.size())
        return CommentSourceOkResult::KeepOpen;
    QString faults;
    if (!ValidateTemplateNode(root, faults) &&
        !platform::AskOkCancel(faults + '\n' + LoadString(StringId::CommentSourceContinueQuestion),
                               platform::MessageIcon::Warning))
        return CommentSourceOkResult::KeepOpen;
    QString text;
    try {
        text = ExpandCommentSource(data, documentPath, root);
    } catch (const CCommentSourceExpander::Aborted&) {
        platform::ShowMessageBox(LoadString(StringId::CommentSourceCancelled), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return CommentSourceOkResult::KeepOpen;
    }
    if (const std::optional<QString> failure = WriteCommentSourceFile(fileName, text)) {
        ShowCannotWriteFileMessage(fileName, *failure);
        return CommentSourceOkResult::KeepOpen;
    }
    return CommentSourceOkResult::Written;
}
