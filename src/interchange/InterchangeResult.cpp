#include "interchange/InterchangeResult.h"

#include "model/UnitFunctionRegistry.h"

bool InterchangeResult::CheckRoom(int count, const CUnitFunctionRegistry& registry) {
    needed = count;
    available = static_cast<int>(CUnitFunctionRegistry::MaxDrawnInternalID) - registry.Count();
    if (needed <= available)
        return true;
    failure = InterchangeFailure::LimitExceeded;
    return false;
}
