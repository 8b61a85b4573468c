#pragma once

#include "texts/MessageSettings.h"
#include "texts/StringTable.h"

#include <QString>
#include <QStringList>

class CWordingStore;
struct CMessageContext;

// What the Messages page does with its copy of the wording table: one row per key in code-unit order, the three
// texts of a row, the defaults, the messages file and the storing for the next start. Messages go to the sink.
class CMessageSettingsEditor {
public:
    enum Column { NumberColumn, JapaneseColumn, SingularColumn, PluralColumn, NotesColumn, ColumnCount };

    // The copy starts as the live table of the context.
    explicit CMessageSettingsEditor(const CMessageContext& context);

    int RowCount() const { return static_cast<int>(m_keys.size()); }
    const QString& KeyAt(int row) const { return m_keys[row]; }
    // The cell as the list shows it: the number from 1, the texts as stored ("%" kept), the note of the key.
    QString Text(int row, int column) const;
    void SetTexts(int row, const QString& japanese, const QString& singular, const QString& plural);
    void RestoreDefault(int row);
    void RestoreAllDefaults();
    const CMessageSettings& Copy() const { return m_copy; }

    // The page's own texts in the context's language.
    QString Localised(StringId japanese, StringId english) const { return LoadString(m_context, japanese, english); }
    QString ColumnTitle(int column) const;
    QString Note(const QString& key) const;

    // Reads the messages file into the copy and remembers the path; a file that cannot be read is reported and
    // changes nothing.
    bool Import(const QString& path);
    // Writes the copy, unapplied changes included, and remembers the path: a document in use is refused and an
    // existing file asked about first (ConfirmExportFile); a failed write is reported.
    bool Export(const QString& path);
    // The paths the file prompts offer, kept for the process.
    static QString& LastImportPath();
    static QString& LastExportPath();

    // Before the copy is stored: "%" in a text is offered for removal and keeps the sheet open (false).
    bool Validate();
    // Stores a changed copy for the next start and says so; nothing happens for an unchanged copy.
    void Apply(CWordingStore& store);

private:
    const CMessageContext& m_context;
    CMessageSettings m_copy;
    QStringList m_keys;
};
