#pragma once

#include <QString>

#include <functional>
#include <optional>

class QPdfWriter;
struct CMessageContext;

namespace platform {
class FileReplacement;
}

// The file a printout is written to, as the print dialog (the preview's and the chart's too) and nuvprint take it.

// Why a printout may not be written to the file at `path`, found without opening it (a pipe would wait for a reader
// and a device never ends): anything but a regular file (a link followed, one that leads nowhere refused too), or a
// document that an editor holds (this editor's own open document too). Nothing when no file is there or it may be
// written.
std::optional<QString> PrintFileRefusal(const QString& path);
// Whether PrintFileRefusal refuses the file; the refusal is said.
bool RefusePrintFile(const QString& path);

// Paints a printout on the PDF writer it is given, set up as it needs; the number of pages printed.
using PrintoutPainter = std::function<int(QPdfWriter&)>;

// Writes the printout that `print` paints into `out`, open on the file at `path`, and makes it the file's content.
// The PDF is made whole in memory first, as the PDF writer does not tell of a failed write. The number of pages
// printed; 0 when the file was not written (it stays as it was), with `failure` saying why: empty when nothing was
// printed, else the reason, with the room that would let it through when there was none.
int WritePrintout(platform::FileReplacement& out, const QString& path, const PrintoutPainter& print, QString& failure);
// Prints what `print` paints into the file at `path` through the one replacement of every file written: the file
// takes the whole printout or stays as it was, and a file refused or not written is said in a message (in the
// context's language) with its name and the reason. The number of pages written; 0 when the file was not written.
int PrintToFile(const QString& path, const PrintoutPainter& print, const CMessageContext& context);
