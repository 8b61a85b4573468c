#pragma once

namespace platform {

// Starts every thread of the toolkit's shared pool now and keeps them for the life of the process. The toolkit's
// image conversions and scaling, which painting uses, hand their parts to that pool and wait for them: a pool thread
// that could not be started later, when memory runs short, would leave its part undone and the window waiting for it
// forever. The editor and the converter call it at start-up, once the application object exists, and end as out of
// memory when it fails. False when not all of them could be started.
bool StartToolkitThreads();

} // namespace platform
