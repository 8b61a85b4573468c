#pragma once

#include "texts/Msg.h"
#include "texts/WordLookups.h"

#include <initializer_list>

// The rows the UI texts are built from: per language a list of pieces joined left to right.
namespace MsgTable {

enum class PieceKind : std::uint8_t {
    Literal,
    CapitalizedLiteral, // a literal that is capitalised on its own before it is joined
    Word,
    Nested, // another text, built with the same context and its own capitalisation
    Argument,
};

struct Piece {
    PieceKind kind;
    const char* literal; // UTF-8
    WordLookup word;
    Msg::Id nested;
    int argument; // 1-based
};

enum class Capitalization : std::uint8_t {
    Whole,   // the joined text passes through CapitalizeFirstLetter
    AsBuilt, // the joined text is used as it is
};

struct Side {
    Capitalization capitalization;
    std::initializer_list<Piece> pieces;
};

struct Row {
    Msg::Id id;
    Side english;
    Side japanese;
};

const Row& RowOf(Msg::Id id);

} // namespace MsgTable
