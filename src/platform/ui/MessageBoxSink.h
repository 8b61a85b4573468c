#pragma once

#include "platform/MessageBox.h"

namespace platform {

// With a display: every message is a modal QMessageBox with the request's buttons, icon and default button.
class QMessageBoxSink : public MessageSink {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

} // namespace platform
