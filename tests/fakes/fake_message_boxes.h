// Records every box shown, also its text in a journal shared with other fakes
// when one is given, and answers from a script; unscripted boxes answer IDOK
// (OK boxes) or IDYES (questions).
#pragma once

#include "platform/message_boxes.h"

#include <deque>
#include <string>
#include <vector>

struct ShownBox {
    std::string text;
    std::string caption;  // "" for a box captioned with the application's name
    unsigned style;
    // A text shown through ShowLong, which a window that scrolls shows
    // below summary where the box would not fit the screen.
    bool mayScroll = false;
    std::string summary;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    int Show(const char* text, unsigned style) override;
    int ShowFromDialog(const char* text, const char* caption, unsigned style) override;
    int ShowLong(const char* text, const char* summary, unsigned style) override;

    void Answer(int answer) { m_answers.push_back(answer); }
    std::vector<std::string> Texts() const;

    std::vector<ShownBox> shown;
    std::vector<std::string>* journal = nullptr;

private:
    int Record(const ShownBox& shownBox);
    std::deque<int> m_answers;
};
