#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

// Real modal message boxes, centred on the main window once there is one.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const Message& message) override;
    void setParentWindow(QWidget* window) { parent_ = window; }

private:
    QPointer<QWidget> parent_;
};
