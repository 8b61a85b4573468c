#pragma once

// Progress of an import that runs on the user-interface thread (FreeMind map, folder tree, CSV): a bar
// from 0 to a total and one button that asks to stop. With a display it is the progress dialog; without
// one it is a line on standard error now and then.
class CImportProgress {
public:
    virtual ~CImportProgress() = default;

    virtual void SetRange(int total) = 0;
    // Moves the bar; keeps the user interface live, so the stop button and other windows are served.
    virtual void SetPos(int position) = 0;
    // Set once the user asked to stop.
    virtual bool IsCancelled() const = 0;
    // Shows that the import is over ("Mapファイルの変換が終了しました。") and, where a user can see it,
    // waits until it is acknowledged.
    virtual void ShowFinished() = 0;
};
