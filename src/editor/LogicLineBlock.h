#pragma once

#include "model/LogicLine.h"

#include <QByteArray>

#include <optional>
#include <vector>

// The clipboard block of whole logic lines: the signature "NUV_DATA", the count of records and each record
// field by field (little-endian integers, texts as a length, UTF-16 units and a terminating zero). Reading
// checks everything before it trusts it: the size against the count claimed, every text's bound and
// terminator, kinds and columns; a block that fails gives nothing.
namespace LogicLineBlock {

constexpr int MaxColumn = 4096;

QByteArray Encode(const std::vector<const CLogicLine*>& lines);
std::optional<std::vector<CLogicLine>> Decode(const QByteArray& block);

} // namespace LogicLineBlock
