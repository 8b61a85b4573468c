#pragma once

#include <QAbstractItemView>
#include <QItemSelectionModel>

// The row of the entry the user selected in a list, -1 when none is. A list makes its first row current when it
// takes the focus, without selecting it: only the selection says which row was chosen.
inline int SelectedRow(const QAbstractItemView& view) {
    const QModelIndex current = view.currentIndex();
    return current.isValid() && view.selectionModel()->isRowSelected(current.row(), current.parent()) ? current.row()
                                                                                                      : -1;
}
