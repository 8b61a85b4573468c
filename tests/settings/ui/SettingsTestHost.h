#pragma once

#include "model/DocumentData.h"
#include "settings/ui/SettingsHost.h"
#include "texts/MessageContext.h"

#include <QStringList>

// A document with its defaults behind the settings pages, counting what they report and recording the refreshes
// they ask for.
class SettingsTestHost : public CSettingsHost {
public:
    explicit SettingsTestHost(int language = 1) {
        data.SetDefaults();
        context.m_language = language;
    }
    CDocumentData& SettingsDocument() override { return data; }
    void SetSettingsDocumentModified() override { ++modified; }
    const CMessageContext& MessageContext() const override { return context; }
    QWidget* DialogParent() override { return nullptr; }
    void ApplyMemoCharFormat() override { ++memoFormats; }
    void ApplyResultsTextFormat() override { ++resultsFormats; }
    QString SettingsDocumentPath() const override { return documentPath; }
    bool HasIndexViews() const override { return indexViews; }
    void ReapplyIndexViewSettings() override { refreshes << QStringLiteral("reapply index settings"); }
    void UpdateIndexViews() override { refreshes << QStringLiteral("index views"); }
    void RefreshTabViews() override { refreshes << QStringLiteral("tab views"); }
    void RefreshPaneViews() override { refreshes << QStringLiteral("pane views"); }
    void RefreshAllViews() override { refreshes << QStringLiteral("all views"); }
    void RelayoutOpenTabs() override { refreshes << QStringLiteral("relayout tabs"); }
    void ApplyStructureDiagramSettings() override { refreshes << QStringLiteral("structure diagram"); }
    void ApplyAutoSaveSetting() override { refreshes << QStringLiteral("auto save"); }
    void ApplyTabLimit() override { refreshes << QStringLiteral("tab limit"); }

    CDocumentData data;
    CMessageContext context;
    int modified = 0;
    int memoFormats = 0;
    int resultsFormats = 0;
    QString documentPath;
    bool indexViews = true;
    // The refreshes asked for, in order.
    QStringList refreshes;
};
