// The scheduling report: one block per entry, in plan order, shown once. A
// block is the header "<source>\n → <target>\n" (in English "Source: ...\nTarget: ...\n"),
// the lines of the entry's outcome, each ending with "\n", and "\n".
#pragma once

#include "framework/cstring.h"
#include "platform/message_boxes.h"
#include "texts/texts.h"

#include <vector>

// What became of one entry: whether both its renames are recorded, and the
// lines that say so or say why not.
struct Outcome {
    bool scheduled = false;
    std::vector<Message> lines;
};

inline Outcome Refused(Message why)
{
    return Outcome{false, {std::move(why)}};
}

// Shown in one box; a report too long for the screen is shown in a window
// that scrolls instead, under a line that counts the entries scheduled and
// not scheduled.
class ScheduleReport {
public:
    void AddBlock(const char* source, const char* target, const Outcome& outcome);
    // A line after the blocks, about the run as a whole.
    void AddNote(const Message& note) { m_text += FormatText(note); }
    void Show(MessageBoxes& boxes) const;

private:
    CString m_text;
    int m_scheduled = 0;
    int m_notScheduled = 0;
};
