#pragma once

#include <QtGlobal>

// Display options of the logic-description column.
struct LogicAreaSettings {
    qint32 IfLineDisp = 1;
    qint32 IfLineSameColor = 0;
    quint8 IfLineColor1 = 9;
    quint8 IfLineColor2 = 10;
    quint8 IfLineColor3 = 12;
    quint8 RecycleColor = 9;
    quint8 ModifyColor = 10;
    qint32 IsDispRegisterMember = 1;
    qint32 IsDispRegisterStatus = 1;
    qint32 IsDispLineNum = 1;

    bool operator==(const LogicAreaSettings&) const = default;
};
