#include "interchange/ui/DlgFileAdd.h"

#include "interchange/FunctionMerge.h"
#include "interchange/ui/VersionCommands.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/ui/DropEdit.h"
#include "platform/ui/NameComboBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

CDlgFileAdd::CDlgFileAdd(CVersionCommandHost& host, QWidget* parent)
    // The destination box joins the dialog with its row, after the file row's browse button, as Tab reads them.
    : QDialog(parent), m_host(host), m_file(new CDropEdit(this)), m_destination(new QComboBox) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Text(context, Msg::Id::CombineFunctions));
    const CDocumentData& data = host.VersionedDocument();
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    // Each name shows as the views show it, however long; the entry's place names the unit function.
    for (CUnitFunction* function : data.registry.InOutlineOrder(distinguish)) {
        m_destination->addItem(
            QStringLiteral("%1 %2").arg(function->GetOutlineNumberText(distinguish), ShownText(function->name)));
        m_destinations.push_back(function);
    }
    platform::LimitNameComboWidth(*m_destination);

    auto* form = new QFormLayout(this);
    form->addRow(LoadString(StringId::MergedDocument), MakeOtherDocumentRow(*m_file, host.VersionedDocumentPath()));
    form->addRow(Msg::Text(context, Msg::Id::DestinationCombineFunctions), m_destination);
    form->addRow(MakeOkCancelButtons(*this));
    resize(520, height());
}

void CDlgFileAdd::accept() {
    const QString path = m_file->text().trimmed();
    const int destination = m_destination->currentIndex();
    if (path.isEmpty() || destination < 0)
        return;
    const auto refuse = [](const QString& text) {
        platform::ShowMessageBox(text, platform::MessageButtons::Ok, platform::MessageIcon::Error);
    };
    CUnitFunctionRegistry incoming;
    if (const std::optional<LoadResult> read = CFunctionMerge::ReadFile(path, incoming); read != LoadResult::Loaded) {
        refuse(UnreadDocumentText(m_host.MessageContext(), path, read.value_or(LoadResult::MalformedXml),
                                  LoadString(StringId::CannotReadOtherDocument).arg(ShownPath(path))));
        return;
    }
    const std::optional<CFunctionMerge::Outcome> outcome =
        CFunctionMerge::Merge(m_host.VersionedDocument(), incoming, *m_destinations[static_cast<size_t>(destination)]);
    if (!outcome) {
        refuse(LoadString(StringId::MergeTooManyFunctions));
        return;
    }
    if (outcome->added > 0)
        m_host.SetVersionedDocumentModified();
    QString report = LoadString(StringId::MergeDone).arg(outcome->added);
    if (outcome->renumbered > 0)
        report += QLatin1Char('\n') + LoadString(StringId::MergeRenumbered).arg(outcome->renumbered);
    if (outcome->labelsDropped > 0)
        report += QLatin1Char('\n') + LoadString(StringId::MergeLabelsDropped).arg(outcome->labelsDropped);
    platform::ShowMessageBox(report, platform::MessageButtons::Ok, platform::MessageIcon::Information);
    QDialog::accept();
}
