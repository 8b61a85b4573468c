#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Layout of the decision table.
struct DecisionTableLayout {
    int32_t IsIdRow = 1;   // conditions in rows
    int32_t IsDoFirst = 1; // conclusions first
    QString KnowledgeFolder;

    bool operator==(const DecisionTableLayout&) const = default;
};

// Automatic versions on saving.
struct VersionControlSettings {
    int32_t IsAutoVersion = 0;
    int32_t IsUpdateMajor = 0;
    int32_t IsUpdateMinor = 0;

    bool operator==(const VersionControlSettings&) const = default;
};

// Names of the 16 man-hour items and the factors between man-hours, -days,
// -months and -years.
struct WorkTableSettings {
    static constexpr int WorkNameCount = 16;
    static constexpr int MaxWorkNameLength = 32;

    std::array<QString, WorkNameCount> WorkName;
    int32_t UseWorkNo = 0;
    int32_t ImportUnit = 1;
    float UnitDayToHour = 8.0f;
    float UnitMonthToDay = 20.0f;
    float UnitYearToMonth = 12.0f;

    bool operator==(const WorkTableSettings&) const = default;
};

// The defaults: "工数1" to "工数16" and the factors 8, 20 and 12.
void InitWorkTable(WorkTableSettings& workTable);

// Unit codes of a man-hour amount.
enum ManHourUnit : uint8_t { ManHours = 0, ManDays = 1, ManMonths = 2, ManYears = 3 };

// Amount in man-hours shown in the unit; -1 for an unknown unit code.
float ConvertManHoursToUnit(const WorkTableSettings& factors, uint8_t unit, float amount);
// Amount typed in the unit (an unreadable text is 0) in man-hours; -1 for an
// unknown unit code.
float ParseManHoursFromUnit(const WorkTableSettings& factors, const QString& text, uint8_t unit);

// Outline-number format and the unit in which man-hours are shown.
struct IDTableSettings {
    uint8_t No = 0;
    int32_t HalfFlag = 1;
    uint8_t Unit = ManDays;
    char16_t Separator = u'.';
    int32_t AddSeparatorEndOfId = 0;

    bool operator==(const IDTableSettings&) const = default;
};

// What a generator's dialog chose last.
struct GeneratorOutputOptions {
    int32_t Type = 1;
    uint8_t Scope = 1;
    int32_t Option = 1;
    QString FileName;

    bool operator==(const GeneratorOutputOptions&) const = default;
};

// The content-text export: file and scope (0, 1 or 2).
struct ExportExplanationsOptions {
    QString FileName;
    int32_t Domain = 2;

    bool operator==(const ExportExplanationsOptions&) const = default;
};

// Import and export file names, and the process matrix's row kind.
struct FileNameSettings {
    QString traceExportFileName;
    QString traceImportFileName;
    QString attributeExportFileName;
    QString attributeImportFileName;
    QString flowchartFileName;
    int32_t flowchartColumnOption = 2;

    bool operator==(const FileNameSettings&) const = default;
};

// Names of the process matrix's 16 processes, at most 64 characters each.
constexpr int FlowchartNameCount = 16;
constexpr int MaxFlowchartNameLength = 64;
using FlowchartNames = std::array<QString, FlowchartNameCount>;
// The nine default processes, the other slots empty.
void ResetProcessNames(FlowchartNames& names);
