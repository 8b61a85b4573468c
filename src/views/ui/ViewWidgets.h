#pragma once

#include "model/FontSetting.h"

#include <QFont>

class CAbstractIndexItem;
class CViewHost;
class QPoint;
class QWidget;

// What the navigation panes' widgets share.
namespace ViewWidgets {

// A font of the document at a size in tenths of a point (the record's own when 0).
QFont FontOf(const FontSetting& setting, int pointSize = 0);
// Shows the table of contents' context menu for the document's item at a screen point and runs the chosen
// command. The item is not to be used afterwards.
void ShowIndexContextMenu(CViewHost& host, CAbstractIndexItem& item, const QPoint& globalPosition, QWidget* parent);

} // namespace ViewWidgets
