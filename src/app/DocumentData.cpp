#include "app/DocumentData.h"

#include "platform/RandomGenerator.h"

CDocumentData::CDocumentData() {
    // Internal IDs are drawn from this sequence.
    platform::SeedRandomWithTime();
}

CDocumentData::~CDocumentData() {
    registry.Clear();
}
