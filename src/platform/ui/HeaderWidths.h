#pragma once

class QHeaderView;

// Widens each section narrower than its title to the title's width, so that no column shows a cut-off header.
// Called once the titles and the chosen widths are set.
void WidenColumnsToHeaders(QHeaderView& header);
