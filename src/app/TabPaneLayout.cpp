#include "app/TabPaneLayout.h"

#include "editor/FunctionHeaderEdit.h"
#include "model/DocumentData.h"
#include "model/UnitFunction.h"

#include <algorithm>

namespace {

int AtLeastMinimum(int size) {
    return std::max(size, TabPaneSizes::MinimumPaneSize);
}

} // namespace

TabPaneSizes TabPaneSizes::InUse(const CDocumentData& data, const CUnitFunction& function) {
    const HeaderIOSettings& shared = data.headerIOSettings;
    const CUnitFunctionHeader& own = function.header;
    TabPaneSizes sizes;
    sizes.headerHeight = ClampHeaderRowHeight(data.funcHeaderFormHeight);
    sizes.functionHeight =
        AtLeastMinimum(shared.HorizontalSizeShared == 1 ? shared.FunctionHeight : own.FunctionHeight);
    const bool widthsShared = shared.VerticalSizeShared == 1;
    sizes.input = shared.Input != 0;
    sizes.output = shared.Output != 0;
    sizes.inputWidth = AtLeastMinimum(widthsShared ? shared.InputWidth : own.InputWidth);
    sizes.functionWidth = AtLeastMinimum(widthsShared ? shared.FunctionWidth : own.FunctionWidth);
    sizes.outputWidth = AtLeastMinimum(widthsShared ? shared.OutputWidth : own.OutputWidth);
    return sizes;
}

bool StoreTabPaneSizes(CDocumentData& data, CUnitFunction& function, const TabPaneSizes& sizes) {
    CUnitFunctionHeader& own = function.header;
    own.FunctionHeight = sizes.functionHeight;
    if (sizes.input)
        own.InputWidth = sizes.inputWidth;
    own.FunctionWidth = sizes.functionWidth;
    if (sizes.output)
        own.OutputWidth = sizes.outputWidth;
    // All tabs share the header row's height.
    const int headerHeight = ClampHeaderRowHeight(sizes.headerHeight);
    const bool headerChanged = headerHeight != data.funcHeaderFormHeight;
    data.funcHeaderFormHeight = headerHeight;
    HeaderIOSettings& shared = data.headerIOSettings;
    if (shared.VerticalSizeShared == 1) {
        shared.InputWidth = own.InputWidth;
        shared.FunctionWidth = own.FunctionWidth;
        shared.OutputWidth = own.OutputWidth;
    }
    if (shared.HorizontalSizeShared == 1)
        shared.FunctionHeight = own.FunctionHeight;
    return headerChanged || shared.VerticalSizeShared == 1 || shared.HorizontalSizeShared == 1;
}
