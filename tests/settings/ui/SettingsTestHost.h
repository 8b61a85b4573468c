#pragma once

#include "model/DocumentData.h"
#include "settings/ui/SettingsHost.h"
#include "texts/MessageContext.h"

// A document with its defaults behind the settings pages, counting what they report.
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
    void ApplyStructureDiagramZoomSetting() override { ++diagramRelayouts; }
    void ApplyMemoCharFormat() override { ++memoFormats; }
    QString SettingsDocumentPath() const override { return documentPath; }

    CDocumentData data;
    CMessageContext context;
    int modified = 0;
    int diagramRelayouts = 0;
    int memoFormats = 0;
    QString documentPath;
};
