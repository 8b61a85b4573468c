#include "model/LogicNesting.h"

#include "texts/StringTable.h"

#include <exception>
#include <new>

QString RunFailureReason() {
    try {
        throw;
    } catch (const CLogicNestingTooDeep& tooDeep) {
        return LoadString(tooDeep.throughCalls ? StringId::LogicNestingTooDeepThroughCalls
                                               : StringId::LogicNestingTooDeep)
            .arg(kMaxLogicNesting);
    } catch (const std::bad_alloc&) {
        return LoadString(StringId::MemoryExhausted);
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QString();
    }
}
