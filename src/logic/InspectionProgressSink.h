#pragma once

#include <QString>

// What shows the progress of a whole-document inspection (the progress dialog); the inspection never
// touches a widget itself. The phase is a fraction from 0 to 1 with its text; the step is one count of a
// total, so that whatever shows it shows one value (a total of 0: no step).
class CInspectionProgressSink {
public:
    virtual ~CInspectionProgressSink() = default;
    virtual void SetMajorProgress(double fraction, const QString& text) = 0;
    virtual void SetMinorProgress(unsigned current, unsigned total) = 0;
};
