#pragma once

#include "logic/Jumper.h"

#include <QString>

// Offers a same-member consistency rule for the two states of a possible contradiction.
class CJumperToIntraMemberConsistency : public CJumper {
public:
    CJumperToIntraMemberConsistency(QString member, QString state1, QString state2)
        : memberName(std::move(member)), stateName1(std::move(state1)), stateName2(std::move(state2)) {}
    void Jump(CJumpHandler& handler) const override {
        handler.OfferIntraMemberConsistencyRule(memberName, stateName1, stateName2);
    }

    QString memberName;
    QString stateName1;
    QString stateName2;
};
