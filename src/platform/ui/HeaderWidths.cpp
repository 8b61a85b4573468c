#include "platform/ui/HeaderWidths.h"

#include <QHeaderView>

void WidenColumnsToHeaders(QHeaderView& header) {
    for (int section = 0; section < header.count(); ++section) {
        const int needed = header.sectionSizeHint(section);
        if (header.sectionSize(section) < needed)
            header.resizeSection(section, needed);
    }
}
