#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

#include <map>

class CDocumentData;
class CUniqueLabelClock;
class CUnitFunction;

// Numbering modes of unique labels; any other stored value means none.
enum UniqueLabelMethod { UniqueLabelNumbers = 0, UniqueLabelTimestamp = 1, UniqueLabelNone = 3 };

// The label text of a local time and a standard offset: "2024/03/05 07:08:09.012 UTC+09:00".
QString FormatUniqueLabelTimestamp(const QDateTime& local, int offsetMinutes);
// "%s%03d" of prefix and number.
QString FormatNumberedLabel(const QString& prefix, qint64 number);

// Issues unique labels for a document. It indexes the labels in use, the discontinued ones and those of deleted
// unit functions once, and remembers where numbering stopped, so that labelling many new unit functions in a
// row does not search the document for each one. It stays right as long as labels change only through it:
// make a new one after anything else changed labels.
class CUniqueLabelGenerator {
public:
    explicit CUniqueLabelGenerator(const CDocumentData& data);

    // A free label for the document's mode and prefix, now taken; empty in mode none.
    QString GenerateUniqueLabel(CUniqueLabelClock& clock);
    // Gives the unit function a new label when it has none.
    void AssignUniqueLabelIfEmpty(CUnitFunction& function, CUniqueLabelClock& clock);
    // Neither used by a unit function nor discontinued.
    bool IsUniqueLabelUnused(const QString& label) const { return !m_taken.contains(label); }

private:
    const CDocumentData& m_data;
    QSet<QString> m_taken;
    std::map<QString, qint64> m_nextNumber; // by prefix
};
