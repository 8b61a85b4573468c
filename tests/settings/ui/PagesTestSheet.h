#pragma once

#include "SettingsTestHost.h"

#include "platform/MessageBox.h"
#include "platform/ui/PropertySheet.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The host double with the window's calls the font and template pages make, counted.
class PagesTestHost : public SettingsTestHost {
public:
    void ApplyStructureDiagramZoomSetting() override { ++diagramRelayouts; }
    void ApplyMemoCharFormat() override { ++memoFormats; }
    QString SettingsDocumentPath() const override { return documentPath; }

    int diagramRelayouts = 0;
    int memoFormats = 0;
    QString documentPath;
};

// A sheet of the test's own holding one page, shown, with a settings store of its own and a scripted sink.
class PagesTestSheet {
public:
    PagesTestSheet() : sheet("Settings", remembered) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir.path()));
    }
    ~PagesTestSheet() { qunsetenv("XDG_CONFIG_HOME"); }

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

    QTemporaryDir configDir;
    platform::ScriptedMessageSink sink;
    PagesTestHost host;
    int remembered = 0;
    CPropertySheet sheet;
};
