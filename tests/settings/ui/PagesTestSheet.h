#pragma once

#include "SettingsTestHost.h"

#include "platform/MessageBox.h"
#include "platform/ui/PropertySheet.h"
#include "support/TemporaryConfigHome.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <memory>

// A sheet of the test's own holding one page, shown, with a settings store of its own and a scripted sink.
class PagesTestSheet {
public:
    PagesTestSheet() : sheet("Settings", remembered) {}

    template <typename Page> Page* Open() {
        auto* page = new Page(host);
        sheet.AddPage(page);
        sheet.show();
        sheet.SetActivePage(0);
        return page;
    }
    // A click near the left edge, where a check box or radio button has its indicator.
    static void Click(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
    }
    void ClickOk() {
        QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    TemporaryConfigHome configHome;
    platform::ScriptedMessageSink sink;
    SettingsTestHost host;
    int remembered = 0;
    CPropertySheet sheet;
};
