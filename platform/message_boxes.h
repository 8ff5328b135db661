// Modal message boxes, as the logic sees them: text and style in, the answer out.
#pragma once

namespace box {
const unsigned kOk = 0x0;             // MB_OK
const unsigned kYesNo = 0x4;          // MB_YESNO
const unsigned kIconHand = 0x10;      // MB_ICONHAND
const unsigned kIconQuestion = 0x20;  // MB_ICONQUESTION
const unsigned kIconExclamation = 0x30;  // MB_ICONEXCLAMATION
const unsigned kDefaultButton2 = 0x100;  // MB_DEFBUTTON2
const int kAnswerOk = 1;              // IDOK
const int kAnswerYes = 6;             // IDYES
const int kAnswerNo = 7;              // IDNO
}  // namespace box

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box captioned with the application's name (AfxMessageBox).
    virtual int Show(const char* text, unsigned style) = 0;
    // The main dialog's own box, with a caption of its own.
    virtual int ShowFromDialog(const char* text, const char* caption, unsigned style) = 0;
};
