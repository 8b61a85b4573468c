#pragma once

#include <QString>

// The name a refusal gives the holder of a document whose lock the process `pid` of this user holds, when no owner
// file names anyone.
QString LockHolderName(qint64 pid);
// The same for this process.
QString LockHolderName();
