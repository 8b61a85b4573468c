#pragma once

#include <QString>

struct CMessageContext;

// What the splash-screen page edits: the seconds the start-up window stays, a per-user value. 0 shows none,
// the longest wait shows the animation.
class CSplashScreenSettingsPageModel {
public:
    static constexpr int MaxWait = 10;

    // Reads the value from the store.
    CSplashScreenSettingsPageModel();

    // A changed text must be a whole number of seconds from 0 to MaxWait; false after telling the user why.
    bool Validate(const CMessageContext& context) const;
    // Writes the value when it differs from the stored one; false, after telling the user, when the store could
    // not take it. Call after Validate.
    bool Apply();

    QString waitText;

private:
    quint32 m_storedWait;
};
