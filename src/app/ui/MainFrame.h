#pragma once

#include <QMainWindow>

class CNUVApp;

// The main window of the application. The converter keeps it hidden; closing it runs the document's close
// path and ends the event loop.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CNUVApp& app);

    // "NUV FreeMind Map file converter", then " - " and the document name when there is one.
    void OnUpdateFrameTitle(const QString& documentName);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CNUVApp& m_app;
};
