#pragma once

#include <QString>

class CQuantifierSettings;

// Quantifier kinds of a member name.
enum QuantifierKind : qint32 {
    QuantifierUniversal = 0,
    QuantifierExistential = 1,
    QuantifierNone = 2,
};

struct QuantifiedMemberName {
    qint32 quantifier = QuantifierNone;
    QString name; // without the quantifier symbol
    bool valid = false;
};

// A member name with at most one quantifier symbol; two or more, or nothing left of the name, is not valid.
QuantifiedMemberName ParseQuantifiedMemberName(const CQuantifierSettings* quantifiers, const QString& text);

// The text without its one quantifier symbol; unchanged unless exactly one symbol occurs.
QString ReplaceSingleQuantifier(const CQuantifierSettings* quantifiers, const QString& text);

// The text with its one quantifier symbol replaced by the paired one; unchanged unless exactly one occurs.
QString SplitAtQuantifier(const QString& text, const CQuantifierSettings* quantifiers);

// Universal becomes existential and back; none stays none.
qint32 DualQuantifier(qint32 quantifier);
