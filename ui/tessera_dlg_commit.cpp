// "置換して終了": confirm, schedule the plan on the platform's family, offer
// the restart, close.
#include "app/tessera_app.h"
#include "schedule/schedulers.h"
#include "texts/texts.h"
#include "ui/tessera_dlg.h"

#include <optional>

namespace {
const unsigned kConfirmationStyle = box::kYesNo | box::kIconQuestion;  // Yes is the default
const unsigned kRestartStyle = box::kYesNo | box::kIconQuestion | box::kDefaultButton2;

SchedulerServices SchedulerServicesOf(const DialogServices& services,
                                      const JournalAccess* journal,
                                      const PlanVersionTexts& versions)
{
    return SchedulerServices{services.files,      services.codePage, services.boxes,
                             services.queue,      services.wideToAnsi, journal,
                             &versions};
}
}  // namespace

// An empty plan closes at once. Otherwise No at the confirmation leaves
// everything as it was; after a Yes the dialog closes whatever the scheduler
// and the restart step answered. Any platform but the two families gets no
// scheduler at all; the start-up gate keeps the dialog from opening there.
void CTesseraDlg::OnOK()
{
    if (m_sources.GetSize() > 0) {
        if (m_services.boxes.Show(Text(TextId::kConfirmation), kConfirmationStyle) == box::kAnswerNo)
            return;
        // The journal keeps the version texts each row shows.
        CStringArray sourceVersions;
        CStringArray targetVersions;
        for (int row = 0; row < m_sources.GetSize(); ++row) {
            sourceVersions.Add(m_list.GetItemText(row, 1));
            targetVersions.Add(m_list.GetItemText(row, 3));
        }
        const PlanVersionTexts versions{sourceVersions, targetVersions};
        std::optional<JournalAccess> journal;
        if (m_services.journal && m_services.clock)
            journal.emplace(JournalAccess{*m_services.journal, *m_services.clock});
        ScheduleReplacements(TesseraApp().m_nOsKind, m_sources, m_targets,
                             SchedulerServicesOf(m_services, journal ? &*journal : nullptr,
                                                 versions));
        TesseraApp().AskRestart(kRestartStyle);
    }
    CDialog::OnOK();
}
