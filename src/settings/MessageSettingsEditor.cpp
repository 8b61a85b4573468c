#include "settings/MessageSettingsEditor.h"

#include "model/ExportMessages.h"
#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "platform/UserSettings.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QBuffer>
#include <QFileInfo>

#include <set>

using platform::MessageButtons;
using platform::MessageIcon;

namespace {

// A messages file holds a few thousand texts, none longer than a stored setting: far less than this.
constexpr qint64 kMaxMessagesFileBytes = qint64(16) << 20;

const QString kSingular = QStringLiteral("Singular");
const QString kPlural = QStringLiteral("Plural");

CMessageSettings::Key EntryKey(const QString& key, int column) {
    switch (column) {
    case CMessageSettingsEditor::JapaneseColumn:
        return {key, 1, QString()};
    case CMessageSettingsEditor::SingularColumn:
        return {key, 0, kSingular};
    default:
        return {key, 0, kPlural};
    }
}

// The text as stored, "%" kept, and empty when the table lacks it; the table's own GetEntry would drop the "%"
// and record the missing entry.
QString StoredText(const CMessageSettings& settings, const QString& key, int column) {
    const auto& entries = settings.GetEntries();
    const auto found = entries.find(EntryKey(key, column));
    return found == entries.end() ? QString() : found->second;
}

} // namespace

CMessageSettingsEditor::CMessageSettingsEditor(const CMessageContext& context)
    : m_context(context), m_copy(context.m_settings) {
    std::set<QString> keys;
    for (const auto& [key, text] : m_copy.GetEntries())
        keys.insert(key.key);
    m_keys = QStringList(keys.begin(), keys.end());
}

QString CMessageSettingsEditor::Text(int row, int column) const {
    if (column == NumberColumn)
        return QString::number(row + 1);
    if (column == NotesColumn)
        return Note(m_keys[row]);
    return StoredText(m_copy, m_keys[row], column);
}

void CMessageSettingsEditor::SetTexts(int row, const QString& japanese, const QString& singular,
                                      const QString& plural) {
    m_copy.AddEntry(m_keys[row], japanese, singular, plural);
}

void CMessageSettingsEditor::RestoreDefault(int row) {
    const CMessageSettings defaults;
    const QString& key = m_keys[row];
    SetTexts(row, StoredText(defaults, key, JapaneseColumn), StoredText(defaults, key, SingularColumn),
             StoredText(defaults, key, PluralColumn));
}

void CMessageSettingsEditor::RestoreAllDefaults() {
    m_copy.InitDefaults();
}

QString CMessageSettingsEditor::ColumnTitle(int column) const {
    switch (column) {
    case NumberColumn:
        return Localised(StringId::MessagesNumberJa, StringId::MessagesNumberEn);
    case JapaneseColumn:
        return Localised(StringId::MessagesJapaneseJa, StringId::MessagesJapaneseEn);
    case SingularColumn:
        return Localised(StringId::MessagesSingularJa, StringId::MessagesSingularEn);
    case PluralColumn:
        return Localised(StringId::MessagesPluralJa, StringId::MessagesPluralEn);
    default:
        return Localised(StringId::MessagesNotesJa, StringId::MessagesNotesEn);
    }
}

QString CMessageSettingsEditor::Note(const QString& key) const {
    if (key == u"Explanation_Attribute" || key == u"None_FunctionAttribute" || key == u"Symbol_Attribute")
        return Localised(StringId::MessagesNoteAttributeJa, StringId::MessagesNoteAttributeEn);
    if (key == u"Help_MainMenu")
        return Localised(StringId::MessagesNoteMainMenuJa, StringId::MessagesNoteMainMenuEn);
    if (key == u"Help_OpenHtmlHelp")
        return Localised(StringId::MessagesNoteSubMenuJa, StringId::MessagesNoteSubMenuEn);
    if (key.startsWith(u"~Color_"))
        return Localised(StringId::MessagesNoteColourJa, StringId::MessagesNoteColourEn);
    if (key.startsWith(u"~Toolbox_"))
        return Localised(StringId::MessagesNoteToolboxJa, StringId::MessagesNoteToolboxEn);
    return QString();
}

QString& CMessageSettingsEditor::LastImportPath() {
    static QString path;
    return path;
}

QString& CMessageSettingsEditor::LastExportPath() {
    static QString path = LoadString(StringId::MessagesDefaultExportFile);
    return path;
}

bool CMessageSettingsEditor::Import(const QString& path) {
    const auto refuse = [](const QString& text) {
        platform::ShowMessageBox(text, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    };
    QByteArray content;
    if (!platform::ReadUserFile(path, kMaxMessagesFileBytes, content))
        return refuse(UnreadFileText(
            m_context, path, kMaxMessagesFileBytes,
            Localised(StringId::MessagesImportFailedJa, StringId::MessagesImportFailedEn).arg(ShownPath(path))));
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    int entries = 0;
    if (const QString tooLong = m_copy.ReadFromFile(buffer, &entries); !tooLong.isEmpty())
        return refuse(Localised(StringId::MessagesImportTextTooLongJa, StringId::MessagesImportTextTooLongEn)
                          .arg(ShownPath(path), tooLong)
                          .arg(CMessageSettings::MaxTextUnits));
    if (entries == 0)
        return refuse(
            Localised(StringId::MessagesImportNoEntriesJa, StringId::MessagesImportNoEntriesEn).arg(ShownPath(path)));
    LastImportPath() = path;
    platform::ShowMessageBox(Localised(StringId::MessagesImportedJa, StringId::MessagesImportedEn).arg(ShownPath(path)),
                             MessageButtons::Ok, MessageIcon::Information);
    return true;
}

bool CMessageSettingsEditor::Export(const QString& path) {
    if (!ConfirmExportFile(path))
        return false;
    // Replaced as every file of ours is: a failed export leaves the file that was there.
    QBuffer content;
    content.open(QIODevice::WriteOnly);
    m_copy.WriteToFile(content);
    if (const std::optional<QString> failure = ReplaceFileContent(path, content.data())) {
        platform::ShowMessageBox(
            Localised(StringId::MessagesExportFailedJa, StringId::MessagesExportFailedEn).arg(ShownPath(path)) +
                QLatin1Char('\n') + *failure,
            MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    LastExportPath() = path;
    platform::ShowMessageBox(Localised(StringId::MessagesExportedJa, StringId::MessagesExportedEn).arg(ShownPath(path)),
                             MessageButtons::Ok, MessageIcon::Information);
    return true;
}

bool CMessageSettingsEditor::Validate() {
    if (m_copy == m_context.m_settings || m_copy.HasNoPercentSign())
        return true;
    if (platform::AskOkCancel(Localised(StringId::MessagesPercentJa, StringId::MessagesPercentEn),
                              platform::MessageIcon::Warning))
        m_copy.RemovePercentSigns();
    return false;
}

void CMessageSettingsEditor::Apply(CWordingStore& store) {
    if (m_copy == m_context.m_settings)
        return;
    if (!m_copy.SaveToRegistry(store)) {
        platform::ShowMessageBox(Localised(StringId::MessagesStoreFailedJa, StringId::MessagesStoreFailedEn),
                                 MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    platform::WriteSetting(UserSettings::ClearRegistryStateInNextExecution(), 1);
    platform::ShowMessageBox(Localised(StringId::MessagesRestartJa, StringId::MessagesRestartEn), MessageButtons::Ok,
                             MessageIcon::Information);
}
