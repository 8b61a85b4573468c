#include "generators/UniqueLabelEditor.h"

#include "generators/UniqueLabelClock.h"
#include "generators/UniqueLabelGenerator.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <algorithm>

CUniqueLabelEditor::CUniqueLabelEditor(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock)
    : m_data(data), m_function(function), m_clock(clock), m_prefix(data.uniqueLabelPrefix) {
    for (const QString& label : data.notUseUniqueLabels)
        m_discontinued << label;
    if (!function.header.uniqueLabel.isEmpty()) {
        m_method = Direct;
        m_label = function.header.uniqueLabel;
    } else if (data.uniqueLabelMethod == UniqueLabelNumbers || data.uniqueLabelMethod == UniqueLabelTimestamp) {
        SelectMethod(data.uniqueLabelMethod == UniqueLabelNumbers ? Numbers : Timestamp);
    } else {
        // Any other stored method, "none" included, opens as none.
        m_method = None;
    }
}

void CUniqueLabelEditor::SelectMethod(Method method) {
    m_method = method;
    if (method == Numbers)
        m_label = FirstFreeNumberedLabel();
    else if (method == Timestamp)
        m_label = FormatUniqueLabelTimestamp(m_clock.LocalNow(), m_clock.StandardOffsetMinutes());
}

void CUniqueLabelEditor::SetPrefixText(const QString& prefix) {
    m_prefix = prefix;
    if (m_method == Numbers)
        m_label = FirstFreeNumberedLabel();
}

QString CUniqueLabelEditor::FirstFreeNumberedLabel() const {
    QSet<QString> used(m_discontinued.begin(), m_discontinued.end());
    for (const auto& [id, function] : m_data.registry.Functions())
        used.insert(function.header.uniqueLabel);
    for (qint64 n = 1;; ++n) {
        const QString label = FormatNumberedLabel(m_prefix, n);
        if (!used.contains(label))
            return label;
    }
}

bool CUniqueLabelEditor::CanAssign() const {
    switch (m_method) {
    case Numbers:
    case Timestamp:
        return true;
    case Direct:
        return !m_label.isEmpty() && m_label != m_function.header.uniqueLabel;
    case None:
        return !m_function.header.uniqueLabel.isEmpty();
    }
    return false;
}

bool CUniqueLabelEditor::IsUsedByOther(const QString& label, QString& user) const {
    for (const auto& [id, function] : m_data.registry.Functions()) {
        if (&function != &m_function && function.header.uniqueLabel == label) {
            user = function.name;
            return true;
        }
    }
    return false;
}

void CUniqueLabelEditor::InsertDiscontinued(const QString& label) {
    if (label.isEmpty() || m_discontinued.contains(label))
        return;
    m_discontinued.insert(std::ranges::lower_bound(m_discontinued, label), label);
}

bool CUniqueLabelEditor::AskChange() const {
    return platform::AskOkCancel(LoadString(StringId::UniqueLabelChangeQuestion).arg(m_function.header.uniqueLabel),
                                 platform::MessageIcon::Warning);
}

// The label replaces the current one, which joins the discontinued labels; the document's list takes this change
// alone, entries added or removed by hand wait for Accept.
void CUniqueLabelEditor::SetLabel(const QString& label) {
    const QString old = m_function.header.uniqueLabel;
    InsertDiscontinued(old);
    m_moved = old;
    m_discontinued.removeAll(label);
    if (!old.isEmpty())
        m_data.notUseUniqueLabels.insert(old);
    m_data.notUseUniqueLabels.erase(label);
    m_function.header.uniqueLabel = label;
}

bool CUniqueLabelEditor::Assign() {
    m_moved.clear();
    const bool hasLabel = !m_function.header.uniqueLabel.isEmpty();
    switch (m_method) {
    case Numbers:
        if (hasLabel && !AskChange())
            return false;
        SetLabel(m_label);
        return true;
    case Timestamp:
    case Direct: {
        if (m_discontinued.contains(m_label)) {
            if (!platform::AskOkCancel(LoadString(StringId::UniqueLabelReuseQuestion).arg(m_label),
                                       platform::MessageIcon::Warning) ||
                (hasLabel && !AskChange()))
                return false;
            SetLabel(m_label);
            return true;
        }
        QString user;
        if (IsUsedByOther(m_label, user)) {
            platform::ShowMessageBox(
                LoadString(StringId::UniqueLabelUsedElsewhere).arg(ShownText(m_label), ShownText(user)),
                platform::MessageButtons::Ok, platform::MessageIcon::Warning);
            return false;
        }
        if (hasLabel && !AskChange())
            return false;
        SetLabel(m_label);
        return true;
    }
    case None:
        if (!hasLabel ||
            !platform::AskOkCancel(LoadString(StringId::UniqueLabelRemoveQuestion).arg(m_function.header.uniqueLabel),
                                   platform::MessageIcon::Warning))
            return false;
        SetLabel(QString());
        m_label.clear();
        return true;
    }
    return false;
}

int CUniqueLabelEditor::Add(const QString& text) {
    QString user;
    if (IsUsedByOther(text, user) || m_function.header.uniqueLabel == text) {
        if (user.isEmpty())
            user = m_function.name;
        platform::ShowMessageBox(
            LoadString(StringId::UniqueLabelCannotDiscontinue).arg(ShownText(text), ShownText(user)),
            platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return -1;
    }
    InsertDiscontinued(text);
    return static_cast<int>(m_discontinued.indexOf(text));
}

int CUniqueLabelEditor::Remove(int index) {
    if (index < 0 || index >= m_discontinued.size())
        return -1;
    m_discontinued.removeAt(index);
    return index < m_discontinued.size() ? index : -1;
}

void CUniqueLabelEditor::Accept(bool applyToNewFunctions) {
    if (applyToNewFunctions && m_method != Direct) {
        m_data.uniqueLabelMethod = m_method == Numbers     ? UniqueLabelNumbers
                                   : m_method == Timestamp ? UniqueLabelTimestamp
                                                           : UniqueLabelNone;
        if (m_method == Numbers)
            m_data.uniqueLabelPrefix = m_prefix;
    }
    m_data.notUseUniqueLabels = std::set<QString>(m_discontinued.begin(), m_discontinued.end());
}
