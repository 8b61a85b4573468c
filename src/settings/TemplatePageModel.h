#pragma once

#include <QString>

// What the template page edits: whether a new document starts from a template file, and which file. Both are
// the user's own values, kept in the per-user settings store rather than in the document.
class CTemplatePageModel {
public:
    // Reads both values from the store.
    CTemplatePageModel();

    // When the values were changed and templates are in use, the file must be named and exist; false after
    // telling the user why.
    bool Validate() const;
    // Writes the values that differ from the stored ones; false, after telling the user, when the store could
    // not take them.
    bool Apply();

    bool useTemplate;
    QString templateFilename;

private:
    bool Changed() const { return useTemplate != m_storedUse || templateFilename != m_storedFilename; }

    bool m_storedUse;
    QString m_storedFilename;
};
