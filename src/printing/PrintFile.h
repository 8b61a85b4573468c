#pragma once

#include <QString>

#include <optional>

// The file a printout is written to, as the print dialog and nuvprint take it.

// Why a printout may not be written to the file at `path`, found without opening it (a pipe would wait for a reader
// and a device never ends): anything but a regular file (a link followed, one that leads nowhere refused too), or a
// document that an editor holds (this editor's own open document too). Nothing when no file is there or it may be
// written.
std::optional<QString> PrintFileRefusal(const QString& path);
// Whether PrintFileRefusal refuses the file; the refusal is said.
bool RefusePrintFile(const QString& path);
