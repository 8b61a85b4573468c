#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

#include <map>
#include <optional>
#include <vector>

class CDocumentData;
class CUniqueLabelClock;
class CUnitFunction;

// Numbering modes of unique labels; any other stored value means none.
enum UniqueLabelMethod { UniqueLabelNumbers = 0, UniqueLabelTimestamp = 1, UniqueLabelNone = 3 };

// The label text of a local time and a standard offset: "2024/03/05 07:08:09.012 UTC+09:00".
QString FormatUniqueLabelTimestamp(const QDateTime& local, int offsetMinutes);
// "%s%03d" of prefix and number.
QString FormatNumberedLabel(const QString& prefix, qint64 number);

// Issues unique labels for a document. It takes the labels in use, the discontinued ones and those of deleted
// unit functions once, and remembers where numbering stopped, so that labelling many new unit functions in a
// row does not search the document for each one. Numbered labels are looked up by their numbers, parsed once
// per prefix; the labels themselves are hashed only when a label is looked up as text. It stays right as long
// as labels change only through it: make a new one after anything else changed labels.
class CUniqueLabelGenerator {
public:
    explicit CUniqueLabelGenerator(const CDocumentData& data);

    // A free label for the document's mode and prefix, now taken; empty in mode none.
    QString GenerateUniqueLabel(CUniqueLabelClock& clock);
    // Gives the unit function a new label when it has none.
    void AssignUniqueLabelIfEmpty(CUnitFunction& function, CUniqueLabelClock& clock);
    // Neither used by a unit function nor discontinued.
    bool IsUniqueLabelUnused(const QString& label);

private:
    // The numbers that labels of one prefix are taken under, and where the search for a free one stands.
    struct NumberIndex {
        std::vector<qint64> taken; // ascending
        std::size_t passed = 0;    // the taken numbers below `next`
        qint64 next = 1;
    };

    NumberIndex& IndexOf(const QString& prefix);
    void Take(const QString& label);

    const CDocumentData& m_data;
    std::vector<QString> m_labels;            // every label taken, in no order
    std::optional<QSet<QString>> m_texts;     // m_labels, once a label was looked up as text
    std::map<QString, NumberIndex> m_numbers; // by prefix
};
