#pragma once

#include <QString>

class CDocumentData;

// The component that adds work items to a Team Foundation Server. None exists on this system; the hand-over is
// written against this interface so that a connector can be given to it.
class CTfsConnector {
public:
    virtual ~CTfsConnector() = default;
    // Adds a work item with the document file at `documentPath` attached; the result's text, which begins with
    // "####" and a digit on failure.
    virtual QString AddWorkItem(const QString& project, const QString& type, const QString& title,
                                const QString& description, const QString& documentPath) = 0;
};

// What the user gives for a new work item.
struct WorkItemRequest {
    QString project;
    QString type;
    QString title;
    QString description;
};

// The hand-over of the document to a new work item: an indented copy of the current content goes to a temporary
// file, the connector takes its path, and the copy is removed afterwards.
class CTfsHandOver {
public:
    // The connector's result, or the reason nothing was handed over; `failed` tells which. A copy that cannot be
    // removed is reported too: nothing of the document is left behind unsaid.
    static QString AddWorkItem(CDocumentData& data, CTfsConnector& connector, const WorkItemRequest& request,
                               bool& failed);
    // What the command says where no connector exists.
    static QString NoConnectorMessage();
};
