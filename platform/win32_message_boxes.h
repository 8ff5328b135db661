// Message boxes for the logic: AfxMessageBox, and the main dialog's own box.
#pragma once

#include "platform/message_boxes.h"

class Win32MessageBoxes : public MessageBoxes {
public:
    int Show(const char* text, unsigned style) override;
    int ShowFromDialog(const char* text, const char* caption, unsigned style) override;
};
