#pragma once

#include "model/ModelTestSupport.h"

#include <QString>

// A document whose origin has `count` leaf children named C1, C2, ...; InternalIDs from 2000.
inline void AddLeaves(TestDocument& document, int count, CUnitFunction* parent = nullptr) {
    for (int i = 0; i < count; ++i)
        document.Add(quint32(2000 + document.registry().Count()), QStringLiteral("C%1").arg(i + 1),
                     parent ? parent : document.origin());
}
