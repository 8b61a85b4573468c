#pragma once

class CDocumentData;
class CUnitFunction;

// The sizes of a tab's panes: the header form on top, the content under it, and the logic row at the bottom
// with the logic editor alone or between an input column and an output column. Heights and widths are
// shared by all tabs or each unit function's own, as the document's layout settings say.
struct TabPaneSizes {
    // The smallest height of a row and width of a column; a stored size below it is raised to it.
    static constexpr int MinimumPaneSize = 20;

    int headerHeight = 0;
    int functionHeight = 0;
    bool input = false;
    bool output = false;
    int inputWidth = 0;
    int functionWidth = 0;
    int outputWidth = 0;

    // The columns of the logic row: 1 for the logic editor alone, up to 3.
    int LogicColumnCount() const { return 1 + (input ? 1 : 0) + (output ? 1 : 0); }

    // The sizes in use for the tab of `function` (the document's shared sizes where they are shared), each
    // raised to the minimum; the header row's height kept between its small and its full height.
    static TabPaneSizes InUse(const CDocumentData& data, const CUnitFunction& function);
};

// Stores the sizes the user gave the panes of `function`'s tab: in the unit function, and in the document
// where its settings share them among all tabs (the content height, the three widths; an absent column's
// width stays as it was), and the header row's height, kept within its bounds, in the document. True when
// the sizes are shared or the header row's height changed, so that the other tabs take them on.
bool StoreTabPaneSizes(CDocumentData& data, CUnitFunction& function, const TabPaneSizes& sizes);
