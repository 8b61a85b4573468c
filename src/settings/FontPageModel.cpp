#include "settings/FontPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

namespace {

// The document's fonts in the order of the targets; const or not as the document is.
template <typename Document> auto DocumentFontsOf(Document& document) {
    return std::array{&document.fonts.LogicFont, &document.fonts.ExplanationFont, &document.fonts.StructureDiagramFont,
                      &document.memoFont, &document.resultsFont};
}

} // namespace

CFontPageModel::CFontPageModel(const CDocumentData& document) {
    const auto stored = DocumentFontsOf(document);
    for (int target = 0; target < TargetCount; ++target)
        fonts[target] = *stored[target];
}

const FontSetting* CFontPageModel::DocumentFont(const CDocumentData& document, Target target) {
    return DocumentFontsOf(document).at(target);
}

QString CFontPageModel::TargetName(Target target, const CMessageContext& context) {
    switch (target) {
    case LogicFont:
        return Msg::FontLogicUI(context);
    case ExplanationFont:
        return Msg::ExplanationUIFont(context);
    case StructureDiagramFont:
        return LoadString(StringId::StructureDiagramFontLabel);
    case NotesFont:
        return LoadString(StringId::NotesFontLabel);
    case ResultsFont:
    case TargetCount:
        break;
    }
    return LoadString(StringId::ResultsFontLabel);
}

void CFontPageModel::RestoreDefaults() {
    const DocumentFonts defaults = DefaultDocumentFonts();
    fonts = {defaults.LogicFont, defaults.ExplanationFont, defaults.StructureDiagramFont, FontSetting(), FontSetting()};
}

bool CFontPageModel::Validate(const CMessageContext& context) const {
    for (int target = 0; target < TargetCount; ++target) {
        const QString& face = fonts[target].faceName;
        QString refusal;
        if (face.trimmed().isEmpty())
            refusal = LoadString(StringId::FontFaceMissing).arg(TargetName(Target(target), context));
        else if (face.size() > FontSetting::MaxFaceNameLength)
            refusal = LoadString(StringId::FontFaceTooLong)
                          .arg(TargetName(Target(target), context))
                          .arg(FontSetting::MaxFaceNameLength);
        if (!refusal.isEmpty()) {
            platform::ShowMessageBox(refusal, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
            return false;
        }
    }
    return true;
}

CFontPageModel::Changes CFontPageModel::Apply(CDocumentData& document) const {
    Changes changes;
    const auto stored = DocumentFontsOf(document);
    for (int target = 0; target < TargetCount; ++target) {
        if (*stored[target] == fonts[target])
            continue;
        *stored[target] = fonts[target];
        changes.stored = true;
        if (target == LogicFont || target == ExplanationFont)
            changes.tabViews = true;
        else if (target == StructureDiagramFont)
            changes.structureDiagram = true;
        else if (target == NotesFont)
            changes.notes = true;
        else
            changes.results = true;
    }
    return changes;
}
