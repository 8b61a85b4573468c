#pragma once

#include <QString>

class CUnitFunctionRegistry;

// The rules of the name and move prompts of the table of contents.
class CFunctionPrompts {
public:
    // Why a name cannot be taken: empty when it can. The name of a new unit function may be empty
    // (`allowEmpty`); unless duplicate names are allowed, a name in use is refused, in two wordings for a unit
    // function placed in the table of contents and one only in the unit-function list.
    static QString NameRefusal(const QString& name, const CUnitFunctionRegistry& registry, bool allowDuplicateNames,
                               bool allowEmpty);
    // The move prompt's OK: the text reads as an outline number of at least one element.
    static bool CanMoveTo(const QString& text);
};
