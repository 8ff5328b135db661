#include "tests/fakes/fake_message_boxes.h"

int FakeMessageBoxes::Show(const char* text, unsigned style)
{
    return Record(ShownBox{text, "", style, false, ""});
}

int FakeMessageBoxes::ShowFromDialog(const char* text, const char* caption, unsigned style)
{
    return Record(ShownBox{text, caption, style, false, ""});
}

int FakeMessageBoxes::ShowLong(const char* text, const char* summary, unsigned style)
{
    return Record(ShownBox{text, "", style, true, summary});
}

std::vector<std::string> FakeMessageBoxes::Texts() const
{
    std::vector<std::string> texts;
    for (const ShownBox& box : shown)
        texts.push_back(box.text);
    return texts;
}

int FakeMessageBoxes::Record(const ShownBox& shownBox)
{
    shown.push_back(shownBox);
    if (journal)
        journal->push_back(shownBox.text);
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return (shownBox.style & 0xF) == box::kYesNo ? box::kAnswerYes : box::kAnswerOk;
}
