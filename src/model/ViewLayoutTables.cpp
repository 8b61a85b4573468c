#include "model/ViewLayoutTables.h"

HierarchicalIndexSettings::HierarchicalIndexSettings() {
    LexFont.pointSize = 100;
    HieFont.pointSize = 100;
    HieIDFont.pointSize = 100;
}
