#include "interchange/ui/ShowDifferenceDialog.h"

#include "interchange/DocumentComparison.h"
#include "interchange/ui/VersionCommands.h"
#include "logic/InspectionView.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/ui/DropEdit.h"
#include "platform/ui/NameComboBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

CShowDifferenceDialog::CShowDifferenceDialog(CVersionCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_versions(new QComboBox(this)), m_file(new CDropEdit(this)) {
    const CMessageContext& context = host.MessageContext();
    setWindowTitle(Msg::Text(context, Msg::Id::DifferencesPlural));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(Msg::Text(context, Msg::Id::VersionDifferencesExplanation), this));
    form->addRow(Msg::Text(context, Msg::Id::Competitor1), m_versions);
    form->addRow(LoadString(StringId::ComparedDocument), MakeOtherDocumentRow(*m_file, host.VersionedDocumentPath()));
    // Made after the browse button beside the file, so that Tab reaches them in reading order.
    m_newerVersions = new QComboBox(this);
    m_withWorkingData = new QCheckBox(this);
    for (const StoredVersion& version : host.VersionedDocument().versionHistory) {
        const QString entry = QStringLiteral("%1  %2  %3").arg(version.label, version.time, version.author);
        m_versions->addItem(entry);
        m_newerVersions->addItem(entry);
    }
    for (QComboBox* versions : {m_versions, m_newerVersions})
        platform::LimitNameComboWidth(*versions);
    m_versions->setCurrentIndex(m_versions->count() - 1);
    m_newerVersions->setCurrentIndex(m_newerVersions->count() - 1);
    m_withWorkingData->setText(Msg::Text(context, Msg::Id::WithWorkingData));
    m_withWorkingData->setChecked(true);
    m_newerVersions->setEnabled(false);
    connect(m_withWorkingData, &QCheckBox::toggled, m_newerVersions,
            [this](bool on) { m_newerVersions->setEnabled(!on); });

    form->addRow(Msg::Text(context, Msg::Id::Competitor2), m_newerVersions);
    form->addRow(m_withWorkingData);
    form->addRow(MakeOkCancelButtons(*this));
    resize(520, height());
}

void CShowDifferenceDialog::accept() {
    // A file named is compared; else the stored version chosen. The newer side is the working data or the other
    // stored version chosen.
    ComparedSides sides;
    sides.olderPath = m_file->text().trimmed();
    sides.olderVersion = m_versions->currentIndex();
    sides.newerVersion = m_withWorkingData->isChecked() ? -1 : m_newerVersions->currentIndex();
    if ((sides.olderPath.isEmpty() && sides.olderVersion < 0) ||
        (!m_withWorkingData->isChecked() && sides.newerVersion < 0))
        return;
    CDocumentData& data = m_host.VersionedDocument();
    std::vector<ComparisonLine> report;
    QString unreadable;
    LoadResult result = LoadResult::Loaded;
    if (!CDocumentComparison::CompareSides(data, sides, report, unreadable, &result)) {
        const QString text = LoadString(StringId::CannotReadOtherDocument).arg(ShownPath(unreadable));
        platform::ShowMessageBox(unreadable == sides.olderPath
                                     ? UnreadDocumentText(m_host.MessageContext(), unreadable, result, text)
                                     : text,
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return;
    }
    CInspectionView& pane = m_host.InspectionPane();
    pane.ClearMessages();
    for (const ComparisonLine& line : report)
        pane.AddLine(line.text, data.registry.FindByInternalID(line.internalID), line.lineIndex);
    m_host.ShowInspectionPane();
    QDialog::accept();
}
