#include "interchange/InterchangeResult.h"

#include "model/UnitFunctionRegistry.h"

bool InterchangeResult::CheckRoom(int count, const CUnitFunctionRegistry& registry) {
    needed = count;
    available = AvailableFunctions(registry);
    if (needed <= available)
        return true;
    failure = InterchangeFailure::LimitExceeded;
    return false;
}

int AvailableFunctions(const CUnitFunctionRegistry& registry) {
    return static_cast<int>(CUnitFunctionRegistry::MaxDrawnInternalID) - registry.Count();
}
