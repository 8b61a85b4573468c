#include "generators/TraceabilityMatrix.h"

#include "generators/GeneratorFiles.h"
#include "logic/InspectionView.h"
#include "logic/JumperToFunction.h"
#include "model/CsvUtilities.h"
#include "model/DocumentData.h"
#include "model/DocumentDataHelpers.h"
#include "model/ExportMessages.h"
#include "model/TextUtilities.h"
#include "platform/CodePageTextFile.h"
#include "platform/MessageBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFileInfo>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <utility>

namespace {

// A line per unit function with a mark per requirement fits in far less.
constexpr qint64 kMaxImportBytes = qint64(64) << 20;

QString CsvLine(const QStringList& cells) {
    QString line;
    for (const QString& cell : cells)
        line += QuoteCsvField(cell);
    return line + '\n';
}

// What is said of the quotes of the record the reader gave last when they went wrong.
QString QuoteFaultText(const CsvRecordReader& records) {
    if (records.Fault() == CsvRecordReader::QuoteFault::Unclosed)
        return LoadString(StringId::TraceabilityUnclosedQuote).arg(records.Line());
    return LoadString(StringId::TraceabilityMisplacedQuote).arg(records.FaultLine()).arg(records.Line());
}

// Whether a name read from a matrix file is `name`, as it is or in one of its code-page forms.
bool NamesAlike(const QString& read, const QString& name) {
    return read == name || platform::CodePageForms(name).contains(read);
}

// The texts of a set, each once as the set holds it, without the empty text.
QStringList NonEmptyTexts(const std::set<QString>& texts) {
    QStringList list;
    for (const QString& text : texts) {
        if (!text.isEmpty())
            list << text;
    }
    return list;
}

// The columns of the line of names: each known by where its name starts in the line until a row marks it, then by
// its name, read once and shared by every mark after. Four bytes a column, as a line may hold millions of empty
// ones.
//
// A file in CP932 holds an item CP932 cannot hold as it is in one of its code-page forms (platform::CodePageForms):
// as an export in the code page wrote it, a "?" for each character CP932 lacks, or as other programs write CP932, a
// spreadsheet that saved the matrix among them, with six characters in their nearest forms. A file saved again in
// UTF-8 keeps them. A name in such a form stands for the item it was written from when that is the one item of the
// document in that form and no other column holds the name. Any other name in the form of an item may stand for
// several items: in a row, for each of them its unit function holds (AddItems). An item whose own name a column holds,
// as an export in UTF-8 writes it, has that column and stands behind no form. Nor does an item stand behind a form
// that is another item's own name and held by one column where the item has a column in another of its forms: more
// columns hold that form than there are other items it may stand for. In an export in the code page of 〜x and ～x,
// "?x" is 〜x and "～x" is ～x alone; where other programs wrote both as "～x", or a third item (ßx) may be the one
// "?x", that name may stand for both.
class ColumnNames {
public:
    // What the marks of a row said that the import cannot tell for certain (EndRow).
    struct RowNotes {
        // Each column that stands for an item in its form and was taken as the item in a row whose unit function did
        // not hold it: the column's name and the item.
        std::vector<std::pair<QString, QString>> taken;
        // Each name of several columns, marked in some of them only, and the items of its form the unit function holds,
        // more than the marks: they are all kept, as the columns of one name cannot be told apart.
        std::vector<std::pair<QString, std::set<QString>>> unfollowed;
        // Each name of several columns, marked in more of them than the unit function holds items of its form, some:
        // the name and all the items of its form. Only those held are kept, as the columns cannot be told apart.
        std::vector<std::pair<QString, std::set<QString>>> unadded;
    };

    ColumnNames(QStringView line, const QStringList& items) : m_cursor(line) {
        // A file within the import's bound has records of fewer than 2^31 characters.
        for (qsizetype start = m_cursor.Position(); m_cursor.Skip(); start = m_cursor.Position())
            m_columns.push_back(static_cast<quint32>(start));
        FindCodePageForms(items);
    }

    size_t Count() const { return m_columns.size(); }
    // The names AddItems read as written although they may stand for several items, each once, in the order first read.
    const QStringList& ReadAsWritten() const { return m_readAsWritten; }

    const QString& Name(size_t column) {
        quint32& entry = m_columns[column];
        if (entry & kRead)
            return m_names[entry & ~kRead];
        const auto standsFor = m_standsFor.find(column);
        QString name = standsFor != m_standsFor.end() ? standsFor->second.item : ReadName(column);
        // An empty name is a field of three characters at most, read again at little cost.
        if (name.isEmpty())
            return m_empty;
        entry = kRead | static_cast<quint32>(m_names.size());
        m_names.push_back(std::move(name));
        m_namesStandFor.push_back(standsFor != m_standsFor.end());
        return m_names.back();
    }

    // Adds to `items` what a marked column stands for in the row of a unit function that holds `own`. A name that may
    // stand for several items stands for each of them the unit function holds; where it holds none, the name is read
    // as written.
    void AddItems(size_t column, const std::set<QString>& own, std::set<QString>& items) {
        const QString& name = Name(column);
        if (name.isEmpty())
            return;
        if (const auto several = m_several.find(name); several != m_several.end()) {
            if (several->second.marks++ == 0)
                m_marked.push_back(&*several);
            bool held = false;
            for (const QString& item : several->second.items) {
                if (own.contains(item)) {
                    items.insert(item);
                    held = true;
                }
            }
            if (held)
                return;
            if (!std::exchange(several->second.readAsWritten, true))
                m_readAsWritten << name;
        } else if (m_namesStandFor[m_columns[column] & ~kRead]) {
            m_markedStandingFor.push_back(column);
        }
        items.insert(name);
    }

    // The notes of the row whose marks AddItems took, its unit function holding `own` and `changed` when they differ
    // from the items the marks gave; the next row starts afresh.
    RowNotes EndRow(const std::set<QString>& own, bool changed) {
        RowNotes notes;
        // Where the items are the unit function's own, it held every one of them.
        for (size_t i = 0; changed && i < m_markedStandingFor.size(); ++i) {
            const StandsFor& standsFor = m_standsFor.at(m_markedStandingFor[i]);
            if (!own.contains(standsFor.item))
                notes.taken.emplace_back(standsFor.form, standsFor.item);
        }
        m_markedStandingFor.clear();
        for (std::pair<const QString, Several>* marked : m_marked) {
            Several& several = marked->second;
            std::set<QString> held;
            for (const QString& item : several.items) {
                if (own.contains(item))
                    held.insert(item);
            }
            if (several.marks < several.columns && several.marks < static_cast<qsizetype>(held.size()))
                notes.unfollowed.emplace_back(marked->first, std::move(held));
            else if (!held.empty() && several.marks > static_cast<qsizetype>(held.size()))
                notes.unadded.emplace_back(marked->first,
                                           std::set<QString>(several.items.cbegin(), several.items.cend()));
            several.marks = 0;
        }
        m_marked.clear();
        return notes;
    }

private:
    struct StandsFor {
        QString form; // the column's name
        QString item;
    };
    struct Several {
        QStringList items;
        qsizetype columns = 0;      // that hold the name
        qsizetype marks = 0;        // in the row AddItems takes
        bool readAsWritten = false; // in m_readAsWritten
    };

    static constexpr quint32 kRead = quint32(1) << 31;
    static constexpr size_t kFirstItem = 2;

    QString ReadName(size_t column) {
        m_cursor.Seek(m_columns[column]);
        QString name;
        m_cursor.Next(name);
        return name;
    }

    void FindCodePageForms(const QStringList& items) {
        // The items CP932 cannot hold as they are, by each form a file may hold them in, and with those forms.
        std::map<QString, QStringList> written;
        std::map<QString, QStringList> formsOf;
        for (const QString& item : items) {
            QStringList forms = platform::CodePageForms(item);
            for (const QString& form : forms)
                written[form] << item;
            if (!forms.isEmpty())
                formsOf.emplace(item, std::move(forms));
        }
        if (written.empty())
            return;
        // An item may be named so itself, as a user may name one "?".
        for (const QString& item : items) {
            if (const auto same = written.find(item); same != written.end())
                same->second << item;
        }
        // Of each form, the first column that holds it and the number of those that do; and the items whose own names
        // columns hold. No form is an item CP932 cannot hold.
        std::map<QString, std::pair<size_t, qsizetype>> held;
        std::set<QString> asTheyAre;
        for (size_t column = kFirstItem; column < m_columns.size(); ++column) {
            QString name = ReadName(column);
            if (written.contains(name))
                ++held.try_emplace(name, column, 0).first->second.second;
            else if (formsOf.contains(name))
                asTheyAre.insert(std::move(name));
        }
        // Whether the item has a column in another form than `form`: more columns hold that form than there are other
        // items it may stand for, an item named so among them (ßx and ☃x are "?x" as well as 〜x).
        const auto heldElsewhere = [&written, &held, &formsOf, &asTheyAre](const QString& item, const QString& form) {
            for (const QString& other : formsOf.at(item)) {
                const auto columns = held.find(other);
                if (other == form || columns == held.end())
                    continue;
                const QStringList& fillers = written.at(other);
                const auto others = std::count_if(fillers.cbegin(), fillers.cend(), [&](const QString& filler) {
                    return filler != item && !asTheyAre.contains(filler);
                });
                if (columns->second.second > others)
                    return true;
            }
            return false;
        };
        for (const auto& [form, columns] : held) {
            QStringList from = written.at(form);
            // A form that is an item's own name (～x, the nearest form of 〜x) in one column stands for no other item
            // that has a column in another form, as an export in the code page wrote 〜x as "?x". Held in more
            // columns, it may stand for both, as other programs write 〜x as "～x".
            const bool named = from.contains(form) && columns.second == 1;
            from.removeIf([&, &form = form](const QString& item) {
                return asTheyAre.contains(item) || (named && item != form && heldElsewhere(item, form));
            });
            // Left with the item of that name alone, the name is that item.
            if (from.isEmpty() || (from.size() == 1 && from.front() == form))
                continue;
            if (columns.second == 1 && from.size() == 1)
                m_standsFor.emplace(columns.first, StandsFor{form, from.front()});
            else
                m_several.emplace(form, Several{from, columns.second});
        }
    }

    CsvFieldCursor m_cursor;
    std::vector<quint32> m_columns;          // the start of the name in the line, or kRead and its index in m_names
    std::deque<QString> m_names;             // grows without moving a name given out
    std::vector<bool> m_namesStandFor;       // whether each of them stands for an item in its code-page form
    std::map<size_t, StandsFor> m_standsFor; // the columns whose name stands for an item in its code-page form
    std::map<QString, Several> m_several;    // the names that may stand for several items, with those items
    std::vector<std::pair<const QString, Several>*> m_marked; // those marked in the row AddItems takes
    std::vector<size_t> m_markedStandingFor; // the columns marked in that row that stand for an item in its form
    QStringList m_readAsWritten;
    const QString m_empty;
};

} // namespace

TraceabilityMatrix::TraceabilityMatrix(CDocumentData& data, const QString& documentPath, const CMessageContext& context)
    : m_data(data), m_documentPath(documentPath), m_context(context) {}

QString TraceabilityMatrix::OutlineNumberText(const CUnitFunction& function) const {
    return function.GetOutlineNumberText(m_data.GetModelOptions().DistinguishPrimaryOutlineNumber);
}

void TraceabilityMatrix::Build() {
    m_rows.clear();
    m_columns.clear();
    // The column items met so far: a document may have thousands, each owned by many unit functions.
    std::set<QString> met;
    for (CUnitFunction* function :
         m_data.registry.InOutlineOrder(m_data.GetModelOptions().DistinguishPrimaryOutlineNumber)) {
        Row row{function, NonEmptyTexts(function->header.ownRequirements),
                NonEmptyTexts(function->header.EffectiveRequirements())};
        for (const QString& item : row.own) {
            if (met.insert(item).second)
                m_columns << item;
        }
        m_rows.push_back(std::move(row));
    }
}

QStringList TraceabilityMatrix::SortedColumns() const {
    QStringList columns = m_columns;
    std::ranges::sort(columns);
    return columns;
}

QString TraceabilityMatrix::HeaderLine() const {
    const QString fileName = m_documentPath.isEmpty() ? QString() : QFileInfo(m_documentPath).fileName();
    return CsvLine({fileName, FormatVersionNumber(m_data)});
}

QStringList TraceabilityMatrix::MakeLines() {
    Build();
    const QStringList columns = SortedColumns();
    QStringList lines{HeaderLine()};
    if (!columns.isEmpty())
        lines << CsvLine(QStringList{QString(), Msg::RequirementPlural(m_context)} + columns);
    lines << CsvLine({Msg::OutlineNumber(m_context), Msg::FunctionName(m_context)});
    for (const Row& row : m_rows) {
        QStringList cells{OutlineNumberText(*row.function), row.function->name};
        for (const QString& column : columns) {
            if (row.own.contains(column))
                cells << LoadString(StringId::TraceabilityOwnMark);
            else if (row.effective.contains(column))
                cells << LoadString(StringId::TraceabilityEffectiveMark);
            else
                cells << QString();
        }
        lines << CsvLine(cells);
    }
    m_rows.clear();
    m_columns.clear();
    return lines;
}

bool TraceabilityMatrix::Export(const QString& fileName) {
    if (!ConfirmOutputFile(fileName, fileName))
        return false;
    m_data.fileNames.traceExportFileName = fileName;
    // The import reads the file back: a name CP932 cannot hold makes the whole file UTF-8, never a "?".
    const CsvFileWrite write = WriteCsvLinesUnsaid(fileName, MakeLines(), platform::CodePageTextFile::Fallback::Utf8);
    if (!SayCsvFileFailure(fileName, write))
        return false;
    ShowExportedMessage(fileName, LoadString(StringId::TraceabilityObject), write.replaced, write.inUtf8);
    return true;
}

TraceabilityMatrix::ImportResult TraceabilityMatrix::Import(const QString& fileName, CInspectionView& pane) {
    m_data.fileNames.traceImportFileName = fileName;
    platform::CodePageTextFile file;
    if (!file.OpenForReading(fileName, kMaxImportBytes)) {
        platform::ShowMessageBox(UnreadFileText(m_context, fileName, kMaxImportBytes,
                                                LoadString(StringId::TraceabilityCannotOpen).arg(ShownPath(fileName))),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return ImportResult::NotImported;
    }
    // The records are walked field by field, never held as lists of fields: a field of a byte or two would take
    // tens of bytes as an item of a list. A quoted field may hold line breaks, as the export writes a name with them.
    CsvRecordReader records(file);
    // Where the quotes of the document's name or of the items' names go wrong, no field after them can be told.
    const auto refuseQuoteFault = [&records] {
        platform::ShowMessageBox(LoadString(StringId::TraceabilityFormatError) + QLatin1String("\n\n") +
                                     QuoteFaultText(records),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return ImportResult::NotImported;
    };
    QStringView record;
    if (!records.Next(record))
        return ImportResult::NotImported;
    if (records.Fault() != CsvRecordReader::QuoteFault::None)
        return refuseQuoteFault();
    QString firstField;
    CsvFieldCursor(record).Next(firstField);
    const QString ownName = m_documentPath.isEmpty() ? QString() : QFileInfo(m_documentPath).fileName();
    if (!NamesAlike(firstField, ownName) &&
        platform::ShowMessageBox(LoadString(StringId::TraceabilityOtherDocument), platform::MessageButtons::YesNo,
                                 platform::MessageIcon::Question) != platform::MessageAnswer::Yes)
        return ImportResult::NotImported;
    QStringView namesLine;
    if (records.Next(namesLine) && records.Fault() != CsvRecordReader::QuoteFault::None)
        return refuseQuoteFault();
    Build();
    ColumnNames columns(namesLine, m_columns);
    m_rows.clear();
    m_columns.clear();
    if (columns.Count() == 0) {
        platform::ShowMessageBox(LoadString(StringId::TraceabilityFormatError), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return ImportResult::NotImported;
    }

    const QString requirementWord = Msg::RequirementPlural(m_context);
    pane.ClearMessages();
    pane.AddMessageWithoutTarget(LoadString(StringId::TraceabilityImportStart));
    pane.AddMessageWithoutTarget(LoadString(StringId::TraceabilityChangesHeading).arg(requirementWord));
    qsizetype namesSaid = 0;
    int imported = 0;
    int changed = 0;
    const QString ownMark = LoadString(StringId::TraceabilityOwnMark);
    const DisplayedNumberIndex byNumber = m_data.registry.IndexByDisplayedNumber();
    // From the third record on; the third holds the words over the outline numbers and the names.
    for (bool words = true; records.Next(record); words = false) {
        // A quote left open takes the rest of the file into its record, which is no row as the export wrote one; after
        // a misplaced quote, records may begin inside a field.
        if (records.Fault() != CsvRecordReader::QuoteFault::None) {
            pane.AddMessageWithoutTarget(QuoteFaultText(records));
            break;
        }
        if (words)
            continue;
        CsvFieldCursor cells(record);
        QString number;
        if (!cells.Next(number))
            continue;
        const auto found = byNumber.find(number);
        if (found == byNumber.end())
            continue;
        CUnitFunction* function = found->second;
        // The outline numbers may have moved since the export: a row is applied only to the unit function it names,
        // as it is or in a code-page form.
        QString name;
        const bool named = cells.Next(name);
        if (!NamesAlike(name, function->name)) {
            pane.AddMessage(LoadString(StringId::TraceabilityNameMismatch).arg(number, function->name, name),
                            std::make_unique<CJumperToFunction>(static_cast<qint32>(function->InternalID)));
            continue;
        }
        ++imported;
        std::set<QString>& own = function->header.ownRequirements;
        std::set<QString> items;
        const auto addMarked = [&](size_t column, const QString& cell) {
            if (cell == ownMark && column < columns.Count())
                columns.AddItems(column, own, items);
        };
        addMarked(0, number);
        if (named)
            addMarked(1, name);
        QString cell;
        for (size_t j = 2; j < columns.Count() && named && cells.Next(cell); ++j)
            addMarked(j, cell);
        // A name read as written is said once, before the change of the first row that read it so; what the row's
        // marks said that cannot be told for certain, before its change.
        for (; namesSaid < columns.ReadAsWritten().size(); ++namesSaid)
            pane.AddMessageWithoutTarget(LoadString(StringId::TraceabilityAmbiguousColumn)
                                             .arg(columns.ReadAsWritten()[namesSaid], requirementWord));
        const bool itemsChanged = items != own;
        const ColumnNames::RowNotes notes = columns.EndRow(own, itemsChanged);
        const auto sayOfRow = [&](const QString& text) {
            pane.AddMessage(text, std::make_unique<CJumperToFunction>(static_cast<qint32>(function->InternalID)));
        };
        for (const auto& [form, item] : notes.taken)
            sayOfRow(LoadString(StringId::TraceabilityColumnTakenAsUnheldItem).arg(number, form, item));
        for (const auto& [form, kept] : notes.unfollowed)
            sayOfRow(LoadString(StringId::TraceabilityUnfollowedMark).arg(number, form, JoinWithCommas(kept)));
        for (const auto& [form, items] : notes.unadded)
            sayOfRow(LoadString(StringId::TraceabilityUnaddedMark).arg(number, form, JoinWithCommas(items)));
        if (!itemsChanged)
            continue;
        pane.AddMessage(LoadString(StringId::TraceabilityItemsChanged)
                            .arg(number, requirementWord, JoinWithCommas(own), JoinWithCommas(items)),
                        std::make_unique<CJumperToFunction>(static_cast<qint32>(function->InternalID)));
        own = items;
        ++changed;
    }
    file.Close();
    pane.AddMessageWithoutTarget(LoadString(StringId::TraceabilityImportCounts).arg(imported).arg(changed));
    pane.AddMessageWithoutTarget(LoadString(StringId::TraceabilityImportEnd));

    const ModelOptions options = m_data.GetModelOptions();
    m_data.RebuildAndRefresh(options);
    // A quote that went wrong in a row stopped the import at that row, the rows before it applied.
    if (records.Fault() != CsvRecordReader::QuoteFault::None)
        platform::ShowMessageBox(
            LoadString(StringId::TraceabilityImportedUpTo).arg(ShownPath(fileName), QString::number(records.Line())) +
                QLatin1String("\n\n") + QuoteFaultText(records),
            platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    else
        platform::ShowMessageBox(LoadString(StringId::TraceabilityImported).arg(ShownPath(fileName)),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Information);
    return ImportResult::Imported;
}

void TraceabilityMatrix::ShowList(CInspectionView& pane) {
    Build();
    const QString requirementWord = Msg::RequirementPlural(m_context);
    const auto addFunction = [&](const CUnitFunction& function) {
        pane.AddMessage(LoadString(StringId::RequirementListFunction).arg(OutlineNumberText(function), function.name),
                        std::make_unique<CJumperToFunction>(static_cast<qint32>(function.InternalID)));
    };
    pane.ClearMessages();
    pane.AddMessageWithoutTarget(LoadString(StringId::RequirementListStart));
    for (const QString& item : m_columns) {
        pane.AddMessageWithoutTarget(LoadString(StringId::RequirementListItem).arg(requirementWord, item));
        for (const Row& row : m_rows) {
            if (row.effective.contains(item))
                addFunction(*row.function);
        }
        pane.AddMessageWithoutTarget(QString());
    }
    pane.AddMessageWithoutTarget(
        LoadString(StringId::RequirementListItem).arg(requirementWord, LoadString(StringId::RequirementNotStated)));
    for (const Row& row : m_rows) {
        if (row.effective.isEmpty())
            addFunction(*row.function);
    }
    pane.AddMessageWithoutTarget(QString());
    pane.AddMessageWithoutTarget(LoadString(StringId::RequirementListEnd));
    m_rows.clear();
    m_columns.clear();
}

QStringList TraceabilityMatrix::MakeProcessMatrixLines(int kind) {
    Build();
    QStringList labels;
    if (kind != ProcessRowsFunctions)
        labels << Msg::RequirementPlural(m_context);
    if (kind != ProcessRowsRequirements)
        labels << Msg::OutlineNumber(m_context) << Msg::FunctionName(m_context);
    QStringList lines{HeaderLine(),
                      CsvLine(labels + QStringList(m_data.FlowchartName.begin(), m_data.FlowchartName.end()))};
    const auto functionCells = [this](const CUnitFunction& function) {
        return QStringList{OutlineNumberText(function), function.name};
    };
    if (kind == ProcessRowsRequirements) {
        for (const QString& item : m_columns)
            lines << CsvLine({item});
    } else if (kind == ProcessRowsFunctions) {
        for (const Row& row : m_rows)
            lines << CsvLine(functionCells(*row.function));
    } else {
        for (const QString& item : m_columns) {
            lines << CsvLine({item});
            for (const Row& row : m_rows) {
                if (row.own.contains(item))
                    lines << CsvLine(QStringList{QString()} + functionCells(*row.function));
            }
        }
        lines << CsvLine({LoadString(StringId::RequirementNotStated)});
        for (const Row& row : m_rows) {
            if (row.own.isEmpty())
                lines << CsvLine(QStringList{QString()} + functionCells(*row.function));
        }
    }
    m_rows.clear();
    m_columns.clear();
    return lines;
}

bool TraceabilityMatrix::ExportProcessMatrix(const QString& fileName, int kind) {
    if (!ConfirmOutputFile(fileName, fileName))
        return false;
    m_data.fileNames.flowchartFileName = fileName;
    m_data.fileNames.flowchartColumnOption = kind;
    qsizetype replaced = 0;
    if (!WriteCsvLines(fileName, MakeProcessMatrixLines(kind), &replaced))
        return false;
    ShowExportedMessage(fileName, LoadString(StringId::ProcessMatrixObject), replaced);
    return true;
}

QString FormatProcessEntry(int number, const QString& name) {
    return LoadString(StringId::ProcessMatrixEntry).arg(QStringLiteral("%1").arg(number, 2), name);
}
