#pragma once

#include <QByteArray>
#include <QStringList>

namespace platform {

// The command line after the program's name, decoded as file names are. An argument that would not encode back
// to its own bytes (not valid text in the locale's encoding) would name another file: then the result is false,
// with the first such argument's bytes in `undecodable`, and no argument is taken.
bool DecodeCommandLine(int argc, char** argv, QStringList& arguments, QByteArray& undecodable);

} // namespace platform
