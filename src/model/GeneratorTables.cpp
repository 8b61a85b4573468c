#include "model/GeneratorTables.h"

#include "texts/StringTable.h"

#include <iterator>

void InitWorkTable(WorkTableSettings& workTable) {
    static constexpr StringId names[WorkTableSettings::WorkNameCount] = {
        StringId::WorkName1,  StringId::WorkName2,  StringId::WorkName3,  StringId::WorkName4,
        StringId::WorkName5,  StringId::WorkName6,  StringId::WorkName7,  StringId::WorkName8,
        StringId::WorkName9,  StringId::WorkName10, StringId::WorkName11, StringId::WorkName12,
        StringId::WorkName13, StringId::WorkName14, StringId::WorkName15, StringId::WorkName16};
    workTable = WorkTableSettings();
    for (int i = 0; i < WorkTableSettings::WorkNameCount; ++i)
        workTable.WorkName[i] = LoadString(names[i]);
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
    static constexpr StringId defaults[] = {StringId::ProcessName1, StringId::ProcessName2, StringId::ProcessName3,
                                            StringId::ProcessName4, StringId::ProcessName5, StringId::ProcessName6,
                                            StringId::ProcessName7, StringId::ProcessName8, StringId::ProcessName9};
    names.fill(QString());
    for (size_t i = 0; i < std::size(defaults); ++i)
        names[i] = LoadString(defaults[i]);
}
