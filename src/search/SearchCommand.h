#pragma once

// The search and line-mark commands by id.
enum SearchCommand : int {
    CommandReplaceAll = 32963,
    CommandAdvancedSearch = 33072,
    CommandDetectSimilarWords = 32858,
    CommandDetectObscureWords = 32920,
    CommandVeskSearch = 33013,
    CommandVeskSettings = 33014,
};
