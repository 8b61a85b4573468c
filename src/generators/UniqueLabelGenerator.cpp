#include "generators/UniqueLabelGenerator.h"

#include "generators/UniqueLabelClock.h"
#include "model/DocumentData.h"

namespace {

constexpr qint64 LastLabelNumber = 2147483646;

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

CUniqueLabelGenerator::CUniqueLabelGenerator(const CDocumentData& data) : m_data(data) {
    for (const auto& [id, function] : data.registry.Functions()) {
        if (!function.header.uniqueLabel.isEmpty())
            m_taken.insert(function.header.uniqueLabel);
    }
    for (const QString& label : data.notUseUniqueLabels)
        m_taken.insert(label);
    for (const QString& label : data.deletedUniqueLabels)
        m_taken.insert(label);
}

QString CUniqueLabelGenerator::GenerateUniqueLabel(CUniqueLabelClock& clock) {
    QString label;
    if (m_data.uniqueLabelMethod == UniqueLabelNumbers) {
        const QString& prefix = m_data.uniqueLabelPrefix;
        qint64& next = m_nextNumber.try_emplace(prefix, 1).first->second;
        for (; next <= LastLabelNumber; ++next) {
            label = FormatNumberedLabel(prefix, next);
            if (IsUniqueLabelUnused(label))
                break;
        }
        if (next > LastLabelNumber)
            return {};
        ++next;
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
    m_taken.insert(label);
    return label;
}

void CUniqueLabelGenerator::AssignUniqueLabelIfEmpty(CUnitFunction& function, CUniqueLabelClock& clock) {
    if (function.header.uniqueLabel.isEmpty())
        function.header.uniqueLabel = GenerateUniqueLabel(clock);
}
