#include "model/xml/EnvironmentOptionsElement.h"

#include "model/SettingsFields.h"
#include "model/xml/FieldTableElements.h"

void ReadEnvironmentOptions(const XmlDocumentContext& context, pugi::xml_node environment,
                            CEnvironmentOptions& options) {
    if (!environment)
        return;
    ReadIntAttributes(environment, kStructureDiagramFields, options.structureDiagram);
    ReadIntAttributes(environment, kEnvironmentOptionFields, options);
    ReadTextFields(environment, kEnvironmentTextFields, options, context.wholeDocument != 0);
}

void WriteEnvironmentOptions(XmlDocumentContext& context, pugi::xml_node environment,
                             const CEnvironmentOptions& options) {
    WriteIntAttributes(context, environment, kStructureDiagramFields, options.structureDiagram);
    WriteTextFields(context, environment, kEnvironmentTextFields, options);
    WriteIntAttributes(context, environment, kEnvironmentOptionFields, options);
}
