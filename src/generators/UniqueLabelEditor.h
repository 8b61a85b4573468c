#pragma once

#include <QString>
#include <QStringList>

class CDocumentData;
class CUniqueLabelClock;
class CUnitFunction;

// What the unique-label dialog decides for one unit function: which numbering method is chosen, what the label and
// prefix edits hold and allow, the list of discontinued labels, and the effect of its buttons. Labels assigned,
// changed or removed take effect at once, with the list changes they make; the method, the prefix and the entries
// added or removed by hand reach the document only through Accept.
class CUniqueLabelEditor {
public:
    enum Method { Numbers = 0, Timestamp = 1, Direct = 2, None = 3 };

    CUniqueLabelEditor(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock);

    Method SelectedMethod() const { return m_method; }
    void SelectMethod(Method method);

    const QString& LabelText() const { return m_label; }
    void SetLabelText(const QString& text) { m_label = text; }
    bool LabelEditable() const { return m_method == Direct; }
    const QString& PrefixText() const { return m_prefix; }
    // In the numbering method the label follows the prefix.
    void SetPrefixText(const QString& prefix);
    bool PrefixEditable() const { return m_method == Numbers; }
    bool CanAssign() const;
    bool CanApplyToNewFunctions() const { return m_method != Direct; }

    // "割り当て": asks what the method needs asked; true when the label changed.
    bool Assign();
    // Where the label that the last Assign replaced now stands in the discontinued list; -1 when it moved none there.
    int MovedLabelIndex() const { return m_moved.isEmpty() ? -1 : static_cast<int>(m_discontinued.indexOf(m_moved)); }

    const QStringList& Discontinued() const { return m_discontinued; }
    bool CanAdd(const QString& text) const { return !text.isEmpty() && !m_discontinued.contains(text); }
    // Refused with a message while a unit function uses the text; else the index of the new entry.
    int Add(const QString& text);
    // Removes the entry; the index of the entry now there, -1 when none is.
    int Remove(int index);

    // OK: with `applyToNewFunctions`, the method (other than direct input) becomes the document's; the list
    // replaces the document's discontinued labels.
    void Accept(bool applyToNewFunctions);

private:
    QString FirstFreeNumberedLabel() const;
    bool IsUsedByOther(const QString& label, QString& user) const;
    void InsertDiscontinued(const QString& label);
    bool AskChange() const;
    void SetLabel(const QString& label);

    CDocumentData& m_data;
    CUnitFunction& m_function;
    CUniqueLabelClock& m_clock;
    Method m_method = Direct;
    QString m_label;
    QString m_prefix;
    QStringList m_discontinued; // sorted
    QString m_moved;            // the label the last Assign moved into the list
};
