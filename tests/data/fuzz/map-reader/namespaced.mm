<fm:map xmlns:fm="urn:x"><!-- c --><?pi x?><node TEXT="Root"><![CDATA[cdata name]]><node TEXT="Two"/></node><node TEXT="Second top"/></fm:map>
