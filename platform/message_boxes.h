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
    // A text that grows with what it reports (one block per entry, however
    // many): in a box like Show(text, style) where that box fits the screen,
    // and answered as it is; else in a window that scrolls, below summary, its
    // first line, which has only OK and answers box::kAnswerOk (a question
    // read there is left unanswered).
    virtual int ShowLong(const char* text, const char* summary, unsigned style) = 0;
};
