#pragma once

#include "logic/SearchHit.h"
#include "search/SearchRequest.h"

#include <QString>

#include <functional>
#include <vector>

class CDocumentData;
class CUnitFunction;
class CUnitFunctionRegistry;
struct CMessageContext;

using FindHits = std::vector<FindHit>;

// Starting positions of the find text in the text: exact, case-sensitive, without overlap. None when either
// is empty.
std::vector<qint32> FindOccurrences(const QString& text, const QString& findText);

// The preview of a content line: up to the first line break (cut at 128), without the character before it,
// then "..."; the whole text when it has no break past its first character.
QString ShortenToFirstLine(const QString& text);

// The searches of one field kind of a unit function; each appends its hits and returns whether it found any.
// The context gives the word for original requirement items.
bool FindInTextField(const CUnitFunction& function, const QString& text, const QString& findText, int kind,
                     int lineNumber, const CMessageContext& context, FindHits& hits);
bool FindInLogicSlot(const QString& text, const QString& findText, int element, FindHits& hits);
bool FindInHeaderFields(const SearchRequest& request, const CUnitFunction& function, bool distinguishPrimary,
                        const CMessageContext& context, FindHits& hits);
bool FindInFunctionContentField(const SearchRequest& request, const CUnitFunction& function,
                                const CMessageContext& context, FindHits& hits);
bool FindInLogicDescriptionField(const SearchRequest& request, const CUnitFunction& function, const CDocumentData& data,
                                 FindHits& hits);

// The lines of a content text, split at CR LF, LF or CR, in that order of preference at each line; views into
// the text, given to `take` one after the other or all at once.
void ForEachContentLine(const QString& text, const std::function<void(QStringView)>& take);
std::vector<QStringView> SplitContentLines(const QString& text);

// Whether scope 1 also follows the Fn statements of the current unit function itself: a replacement does, a
// search does not.
enum class CurrentFnStatements { NotFollowed, Followed };

// The unit functions a search or replacement covers, in table-of-contents order: every one (scope 0); the
// current one, its children and what they reach through children and Fn statements (1); the current one (2).
// Without a current unit function the origin stands in.
std::vector<CUnitFunction*> GatherScope(const CDocumentData& data, int scope, const CUnitFunction* current,
                                        CurrentFnStatements fnStatements = CurrentFnStatements::NotFollowed);
// Every unit function, in table-of-contents order.
std::vector<CUnitFunction*> AllInIndexOrder(const CDocumentData& data);
