#pragma once

#include "logic/ui/InspectionViewEdit.h"

#include <QTest>

// Double-clicks the 0-based line of the result pane, scrolled into view first.
inline void DoubleClickLine(CInspectionViewEdit& pane, int line) {
    pane.SetCaretLine(line);
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, Qt::NoModifier, pane.LineRect(line).center());
}
