#include "schedule/schedule_report.h"

void ScheduleReport::AddBlock(const char* source, const char* target, const Outcome& outcome)
{
    m_text += FormatText(TextId::kReportHeader, {source, target});
    for (const Message& line : outcome.lines)
        m_text += FormatText(line);
    m_text += "\n";
    ++(outcome.scheduled ? m_scheduled : m_notScheduled);
}

void ScheduleReport::Show(MessageBoxes& boxes) const
{
    boxes.ShowLong(m_text, FormatText(TextId::kReportSummary, {m_scheduled, m_notScheduled}),
                   box::kOk);
}
