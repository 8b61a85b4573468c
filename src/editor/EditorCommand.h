#pragma once

// The commands of the unit-function editor by id.
enum EditorCommand : int {
    // The content texts as an RTF file.
    CommandExportExplanations = 33062,
};
