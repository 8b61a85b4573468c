#pragma once

#include <QString>

// The built-in tag template of the comment-source output (lines joined with CR LF).
QString GetDefaultSourceCodeTemplate();
