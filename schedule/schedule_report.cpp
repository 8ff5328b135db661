#include "schedule/schedule_report.h"

void ScheduleReport::AddBlock(const char* source, const char* target, const Outcome& outcome)
{
    m_text += FormatText(TextId::kReportHeader, {source, target});
    for (const Message& line : outcome.lines)
        m_text += FormatText(line);
    m_text += "\n";
}
