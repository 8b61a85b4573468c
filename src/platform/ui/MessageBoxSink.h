#pragma once

#include "platform/MessageBox.h"

#include <utility>

namespace platform {

// With a display: every message is a modal QMessageBox with the request's buttons, icon and default button,
// and the request's caption or, without one, the sink's.
class QMessageBoxSink : public MessageSink {
public:
    explicit QMessageBoxSink(QString caption = {}) : m_caption(std::move(caption)) {}
    MessageAnswer Show(const MessageRequest& request) override;

private:
    QString m_caption;
};

} // namespace platform
