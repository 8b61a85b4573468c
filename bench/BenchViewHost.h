#pragma once

#include "model/DocumentData.h"
#include "texts/MessageContext.h"
#include "views/DrawingConsent.h"
#include "views/ViewHost.h"

// The host of a benchmark's views: a document of its own, which it fills, and nothing opened or changed outside it.
struct BenchViewHost : CViewHost {
    CDocumentData& Document() override { return data; }
    bool HasDocument() const override { return true; }
    QString DocumentPath() const override { return {}; }
    const CMessageContext& MessageContext() const override { return context; }
    void OpenFunctionTab(CUnitFunction*) override {}
    CUnitFunction* ActiveTabFunction() override { return nullptr; }
    void SetModified() override {}
    void SetNotesText(const QString&) override {}
    CDrawingConsent& DrawingConsent() override { return consent; }

    CDocumentData data;
    CMessageContext context;
    CDrawingConsent consent;
};
