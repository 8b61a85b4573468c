#pragma once

// A scroll bar's position as the document stores where an index view stood: 0 when the view cannot scroll that
// way, else the position within the bar's range.
int StoredScrollPosition(int position, int maximum);
