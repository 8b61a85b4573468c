#pragma once

// The main window's zoom window: shown by its command, its zoom set from the document when one is opened.
class CZoomWindow {
public:
    virtual ~CZoomWindow() = default;
    virtual void ShowZoomWindow() = 0;
    virtual void ApplyZoom(int zoom) = 0;
};
