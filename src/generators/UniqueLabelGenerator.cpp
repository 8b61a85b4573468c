#include "generators/UniqueLabelGenerator.h"

#include "generators/UniqueLabelClock.h"
#include "model/DocumentData.h"

#include <algorithm>

namespace {

constexpr qint64 LastLabelNumber = 2147483646;

// The number `label` has as a numbered label of the prefix (what FormatNumberedLabel makes of it), -1 when it
// is none.
qint64 ParseNumberedLabel(const QString& label, const QString& prefix) {
    const qsizetype digits = label.size() - prefix.size();
    // Three digits at least, more only without leading zeros, and never more than the last number has.
    if (digits < 3 || digits > 10 || !label.startsWith(prefix))
        return -1;
    const QChar* text = label.constData() + prefix.size();
    if (digits > 3 && text[0] == u'0')
        return -1;
    qint64 number = 0;
    for (qsizetype i = 0; i < digits; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c - u'0');
    }
    return number <= LastLabelNumber ? number : -1;
}

} // namespace

QString FormatUniqueLabelTimestamp(const QDateTime& local, int offsetMinutes) {
    const QDate date = local.date();
    const QTime time = local.time();
    const QString sign = offsetMinutes > 0 ? QStringLiteral("+") : offsetMinutes < 0 ? QStringLiteral("-") : QString();
    const int offset = std::abs(offsetMinutes);
    return QStringLiteral("%1/%2/%3 %4:%5:%6.%7 UTC%8%9:%10")
        .arg(date.year(), 4, 10, QChar('0'))
        .arg(date.month(), 2, 10, QChar('0'))
        .arg(date.day(), 2, 10, QChar('0'))
        .arg(time.hour(), 2, 10, QChar('0'))
        .arg(time.minute(), 2, 10, QChar('0'))
        .arg(time.second(), 2, 10, QChar('0'))
        .arg(time.msec(), 3, 10, QChar('0'))
        .arg(sign)
        .arg(offset / 60, 2, 10, QChar('0'))
        .arg(offset % 60, 2, 10, QChar('0'));
}

QString FormatNumberedLabel(const QString& prefix, qint64 number) {
    // Labels count from 1; a sign would go before the zeros.
    if (number < 0)
        return prefix + QStringLiteral("%1").arg(number, 3, 10, QChar('0'));
    return prefix + QString::number(number).rightJustified(3, u'0');
}

CUniqueLabelGenerator::CUniqueLabelGenerator(const CDocumentData& data)
    : m_data(data), m_labels(data.TakenUniqueLabels()) {}

bool CUniqueLabelGenerator::IsUniqueLabelUnused(const QString& label) {
    if (!m_texts)
        m_texts.emplace(m_labels.begin(), m_labels.end());
    return !m_texts->contains(label);
}

CUniqueLabelGenerator::NumberIndex& CUniqueLabelGenerator::IndexOf(const QString& prefix) {
    const auto [found, created] = m_numbers.try_emplace(prefix);
    NumberIndex& index = found->second;
    if (created) {
        for (const QString& label : m_labels) {
            const qint64 number = ParseNumberedLabel(label, prefix);
            if (number >= 0)
                index.taken.push_back(number);
        }
        std::sort(index.taken.begin(), index.taken.end());
    }
    return index;
}

void CUniqueLabelGenerator::Take(const QString& label) {
    m_labels.push_back(label);
    if (m_texts)
        m_texts->insert(label);
    // A label may read as a number of another prefix than the one it was made for.
    for (auto& [prefix, index] : m_numbers) {
        const qint64 number = ParseNumberedLabel(label, prefix);
        if (number >= index.next)
            index.taken.insert(std::upper_bound(index.taken.begin(), index.taken.end(), number), number);
    }
}

QString CUniqueLabelGenerator::GenerateUniqueLabel(CUniqueLabelClock& clock) {
    QString label;
    if (m_data.uniqueLabelMethod == UniqueLabelNumbers) {
        const QString& prefix = m_data.uniqueLabelPrefix;
        NumberIndex& index = IndexOf(prefix);
        for (; index.next <= LastLabelNumber; ++index.next) {
            while (index.passed < index.taken.size() && index.taken[index.passed] < index.next)
                ++index.passed;
            if (index.passed == index.taken.size() || index.taken[index.passed] != index.next)
                break;
        }
        if (index.next > LastLabelNumber)
            return {};
        // Past the number now, so that taking the label leaves this prefix's index as it is.
        label = FormatNumberedLabel(prefix, index.next++);
    } else if (m_data.uniqueLabelMethod == UniqueLabelTimestamp) {
        QDateTime now = clock.LocalNow();
        label = FormatUniqueLabelTimestamp(now, clock.StandardOffsetMinutes());
        // Two labels in one millisecond: the second waits for the next one.
        while (!IsUniqueLabelUnused(label)) {
            clock.WaitPast(now);
            now = clock.LocalNow();
            label = FormatUniqueLabelTimestamp(now, clock.StandardOffsetMinutes());
        }
    } else {
        return {};
    }
    Take(label);
    return label;
}

void CUniqueLabelGenerator::AssignUniqueLabelIfEmpty(CUnitFunction& function, CUniqueLabelClock& clock) {
    if (function.header.uniqueLabel.isEmpty())
        function.header.uniqueLabel = GenerateUniqueLabel(clock);
}
