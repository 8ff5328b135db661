// Message boxes for the logic: AfxMessageBox, the main dialog's own box, and
// a long text in a box or, where the box would not fit the screen, in the
// dialog that scrolls.
#pragma once

#include "framework/long_text_dlg.h"
#include "platform/message_boxes.h"

class Win32MessageBoxes : public MessageBoxes {
public:
    // longText: the executable's template of the dialog for a long text.
    explicit Win32MessageBoxes(const LongTextTemplate& longText) : m_longText(longText) {}

    int Show(const char* text, unsigned style) override;
    int ShowFromDialog(const char* text, const char* caption, unsigned style) override;
    int ShowLong(const char* text, const char* summary, unsigned style) override;

private:
    LongTextTemplate m_longText;
};
