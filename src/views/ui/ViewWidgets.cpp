#include "views/ui/ViewWidgets.h"

#include "model/DocumentData.h"
#include "views/IndexContextMenu.h"
#include "views/ViewHost.h"

#include <QMenu>

namespace ViewWidgets {

QFont FontOf(const FontSetting& setting, int pointSize) {
    QFont font(setting.faceName.isEmpty() ? GetDefaultUIFontName() : setting.faceName);
    const int size = pointSize > 0 ? pointSize : setting.pointSize;
    font.setPointSizeF(size > 0 ? size / 10.0 : 1.0);
    font.setBold(setting.bold > 0);
    font.setItalic(setting.italic != 0);
    font.setUnderline(setting.underline != 0);
    return font;
}

namespace {

void AddEntries(QMenu& menu, const std::vector<CIndexContextMenu::Entry>& entries) {
    for (const CIndexContextMenu::Entry& entry : entries) {
        if (entry.IsSeparator()) {
            menu.addSeparator();
        } else if (!entry.submenu.empty()) {
            AddEntries(*menu.addMenu(entry.text), entry.submenu);
        } else {
            QAction* action = menu.addAction(entry.text);
            action->setData(entry.id);
            action->setEnabled(entry.enabled);
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
        }
    }
}

} // namespace

void ShowIndexContextMenu(CViewHost& host, CAbstractIndexItem& item, const QPoint& globalPosition, QWidget* parent) {
    CDocumentData& document = host.Document();
    QMenu menu(parent);
    AddEntries(menu,
               CIndexContextMenu::LocalizeIndexContextMenu(host.MessageContext(), document.environment.indexMenuLevel,
                                                           document.environment.distinguishPrimaryOutlineNumber));
    const QAction* chosen = menu.exec(globalPosition);
    if (chosen && chosen->data().toInt() != 0)
        CIndexContextMenu::RunCommand(chosen->data().toInt(), document, item);
}

} // namespace ViewWidgets
