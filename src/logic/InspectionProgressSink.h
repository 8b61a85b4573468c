#pragma once

#include <QString>

// What shows the progress of a whole-document inspection (the progress dialog); the inspection never
// touches a widget itself. Fractions run from 0 to 1.
class CInspectionProgressSink {
public:
    virtual ~CInspectionProgressSink() = default;
    virtual void SetMajorProgress(double fraction, const QString& text) = 0;
    virtual void SetMinorProgress(double fraction, const QString& text) = 0;
};
