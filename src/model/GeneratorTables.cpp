#include "model/GeneratorTables.h"

void InitWorkTable(WorkTableSettings& workTable) {
    workTable = WorkTableSettings();
    for (int i = 0; i < WorkTableSettings::WorkNameCount; ++i)
        workTable.WorkName[i] = QStringLiteral("工数%1").arg(i + 1);
}

float ConvertManHoursToUnit(const WorkTableSettings& factors, uint8_t unit, float amount) {
    switch (unit) {
    case ManHours:
        return amount;
    case ManDays:
        return amount / factors.UnitDayToHour;
    case ManMonths:
        return amount / (factors.UnitMonthToDay * factors.UnitDayToHour);
    case ManYears:
        return amount / (factors.UnitMonthToDay * factors.UnitDayToHour * factors.UnitYearToMonth);
    default:
        return -1.0f;
    }
}

float ParseManHoursFromUnit(const WorkTableSettings& factors, const QString& text, uint8_t unit) {
    // Like the C library's conversion: the leading number counts, anything
    // unreadable is 0.
    QString number = text.trimmed();
    float value = 0.0f;
    for (qsizetype length = number.size(); length > 0; --length) {
        bool ok = false;
        value = QStringView(number).left(length).toFloat(&ok);
        if (ok)
            break;
        value = 0.0f;
    }
    switch (unit) {
    case ManHours:
        return value;
    case ManDays:
        return value * factors.UnitDayToHour;
    case ManMonths:
        return value * factors.UnitDayToHour * factors.UnitMonthToDay;
    case ManYears:
        return value * factors.UnitDayToHour * factors.UnitMonthToDay * factors.UnitYearToMonth;
    default:
        return -1.0f;
    }
}

void ResetProcessNames(FlowchartNames& names) {
    static const char* const defaults[] = {"課題検討",   "要求定義",   "機能仕様作成", "詳細設計",  "実装",
                                           "単体テスト", "結合テスト", "総合テスト",   "妥当性確認"};
    names.fill(QString());
    for (size_t i = 0; i < std::size(defaults); ++i)
        names[i] = QString::fromUtf8(defaults[i]);
}
