#include "editor/EditorDialogRules.h"

#include "model/AbstractIndexItem.h"
#include "model/DocumentData.h"
#include "model/IndexLogicSync.h"
#include "model/ModelShell.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

QString JumpLabel(const CMessageContext& messages, int lineCount) {
    return Msg::LineNumber(messages) + LoadString(StringId::JumpLineRange).arg(std::max(1, lineCount));
}

int ParseJumpLineNumber(const QString& text) {
    if (text.isEmpty())
        return -1;
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits) >= u'0' && text.at(digits) <= u'9')
        ++digits;
    // The box takes nine characters, so the number fits.
    return digits == 0 ? 0 : text.left(std::min<qsizetype>(digits, 9)).toInt();
}

quint32 ChooseSameNamedFunction(CDocumentData& document, CUnitFunction& edited, CUnitFunction* chosen, bool createNew,
                                const QString& name, quint32& target) {
    const ModelOptions options = document.GetModelOptions();
    CIndexLogicSync sync(&edited, document.registry, options);
    if (createNew)
        chosen = document.registry.CreateFunction(name, options);
    if (!chosen)
        return 0;
    const quint32 id = chosen->InternalID;
    target = id;
    sync.Synchronize();
    ModelShell().SetDocumentModified();
    document.RebuildAndRefresh(options);
    return id;
}
