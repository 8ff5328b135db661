#include "tests/fakes/fake_message_boxes.h"

int FakeMessageBoxes::Show(const char* text, unsigned style)
{
    shown.push_back(ShownBox{text, "", style});
    return NextAnswer(style);
}

int FakeMessageBoxes::ShowFromDialog(const char* text, const char* caption, unsigned style)
{
    shown.push_back(ShownBox{text, caption, style});
    return NextAnswer(style);
}

std::vector<std::string> FakeMessageBoxes::Texts() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : shown)
        texts.push_back(box.text);
    return texts;
}

int FakeMessageBoxes::NextAnswer(unsigned style)
{
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return (style & 0xF) == box::kYesNo ? box::kAnswerYes : box::kAnswerOk;
}
