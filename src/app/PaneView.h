#pragma once

// A view inside one of the main window's panes, told when the document changed so that it shows it anew.
class CPaneView {
public:
    virtual ~CPaneView() = default;
    virtual void OnUpdate() = 0;
};
