#include "model/PrintSettings.h"

PrintSettings::PrintSettings() {
    sections[Results].object = 1;
    titleLines[DocumentTitle] = {QString(), 5, 1};
    titleLines[FileName] = {QString(), 5, 0};
    titleLines[VersionInformation] = {QString(), 5, 0};
    titleFont.pointSize = 360;
    otherTitleFont.pointSize = 180;
}
