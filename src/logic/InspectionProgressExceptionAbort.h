#pragma once

// Thrown by the abort poll when the user cancelled a whole-document inspection; the run catches it.
class CInspectionProgressExceptionAbort {};
