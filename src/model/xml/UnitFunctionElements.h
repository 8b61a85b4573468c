#pragma once

#include <QString>
#include <QtGlobal>

#include "model/xml/XmlElementIndex.h"

#include <pugixml.hpp>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CLogicLine;
class CUnitFunction;
class CUnitFunctionRegistry;
class XmlDocumentContext;
class XmlStreamWriter;
struct FunctionChunkLayout;

// The unit-function registry in the document file: one "Function" element per unit function below the
// container ("FunctionHolder", or "Functions" in the older format).

// The numbers the older format writes in place of InternalIDs: the running numbers of one section. The
// current format passes none and writes the InternalIDs themselves.
using WrittenIDs = std::map<quint32, quint32>;

// Empty Fn statements are left out of the file; the registry is not changed. In the older format the unit functions are
// written in outline order, numbered by the context's running counter, and every reference uses those numbers.
void SaveRegistryXml(const CUnitFunctionRegistry& registry, XmlDocumentContext& context, pugi::xml_node container,
                     bool distinguishPrimaryOutlineNumber);
// Replaces the registry with a current-format container. A "Root" that names no unit function makes the
// first one the origin.
void LoadRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container);
// Replaces the registry with an older-format container: the first element is the origin, parents come from
// the child lists and "ParentInternalID".
void LoadOlderRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container);
// The same, given an index of the function names (see IndexFunctionElement) and the stretch of it that
// holds the container's "Function" elements, as a document reader finds them.
void LoadRegistryXml(CUnitFunctionRegistry& registry, pugi::xml_node container, const XmlElementIndex& index,
                     XmlElementIndex::Range range);
void LoadOlderRegistryXml(CUnitFunctionRegistry& registry, const XmlElementIndex& index, XmlElementIndex::Range range);
// The unit functions of a container whose content was cut out of the parsed text (see FindFunctionChunks):
// each "Function" element of the file's bytes is parsed, read and dropped on a worker, from the moment this
// is made, while the caller goes on with the rest of the file. read is told of each stretch of the bytes once
// its unit functions are read, by the worker that read the last of them (so from several threads at once).
// The bytes stay until Finish returns or this is destroyed.
class FunctionChunkRead {
public:
    FunctionChunkRead(const char* bytes, const FunctionChunkLayout& layout,
                      std::function<void(std::size_t begin, std::size_t end)> read = {});
    FunctionChunkRead(const FunctionChunkRead&) = delete;
    FunctionChunkRead& operator=(const FunctionChunkRead&) = delete;
    ~FunctionChunkRead();

    // Whether Finish, if it succeeds, leaves the registry with an origin: there is a unit function to read.
    bool GivesOrigin() const;
    // Replaces the registry with what was read. False, with the registry empty to be read again from a whole
    // parse, when a range is not one "Function" element without one inside.
    bool Finish(CUnitFunctionRegistry& registry, pugi::xml_node container);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The names read below a Function element, its header and its lines, found in one walk.
enum FunctionElementName : std::size_t {
    FnHeader,
    FnName,
    FnChild,
    FnCodeSymbol,
    FnLine,
    FnIdName,
    FnContents2,
    FnContents,
    FnWorkNum,
    FnRequirement,
    FnRequest,
    FnUniqueLabel,
    FnUnNecessaryReasoning,
    FnReasoning,
    FnMemo,
    FnUrl,
    FnInputStr,
    FnFunction,
    FunctionElementNameCount
};
// Readers of a whole document add their own names, numbered from FunctionElementNameCount on, so that one
// walk serves every unit function.
XmlElementIndex IndexFunctionElement(pugi::xml_node functionElement, std::initializer_list<const char*> moreNames = {});

// Fills the given "Function" element.
void SaveFunctionXml(const CUnitFunction& function, XmlDocumentContext& context, pugi::xml_node functionElement,
                     const WrittenIDs* ids, const QString& outlineNumberText);
// The whole "Function" element of one unit function, written as text.
void WriteFunctionElement(const CUnitFunction& function, XmlDocumentContext& context, XmlStreamWriter& writer,
                          const WrittenIDs* ids, const QString& outlineNumberText);
void LoadFunctionXml(CUnitFunction& function, const CUnitFunctionRegistry& registry, pugi::xml_node functionElement);

void WriteLineElement(XmlDocumentContext& context, pugi::xml_node functionElement, const CLogicLine& line,
                      const WrittenIDs* ids);
void WriteLineElement(XmlStreamWriter& writer, const CLogicLine& line, const WrittenIDs* ids);
