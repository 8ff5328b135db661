// Writes a journal of ENTRIES entries, four to a plan, each already told
// replaced, as many runs of Tessera would have left it: the start-up then
// reads and parses all of it and has nothing to judge.
//   journal_fill PATH ENTRIES
#include "schedule/restart_journal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: journal_fill PATH ENTRIES\n", stderr);
        return 2;
    }
    const int entries = std::atoi(argv[2]);
    std::string bytes = "; Tessera: a journal for the start-up bench.\r\n";
    for (int i = 0; i < entries; ++i) {
        JournalEntry entry;
        char plan[32];
        std::snprintf(plan, sizeof plan, "2026-%02d-%02d %02d:%02d:00.000", 1 + i / 4 / 28 % 12,
                      1 + i / 4 % 28, i / 4 / 60 % 24, i / 4 % 60);
        entry.plan = plan;
        entry.number = 1 + i % 4;
        entry.family = OS_NT;
        char target[64];
        std::snprintf(target, sizeof target, "C:\\WINDOWS\\system32\\drivers\\DRIVER%04d.SYS", i);
        entry.names = NtReplacementNames(target);
        entry.newFile = {{123456, 133536836961234567ull}, "6.1.7601.17514"};
        entry.oldFile = {{120000, 130000000000000000ull}, "6.1.7600.16385"};
        bytes += *ScheduledLine(entry);
        bytes += ToldLine(entry, EntryOutcome::kReplaced, plan);
    }
    FILE* file = std::fopen(argv[1], "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fprintf(stderr, "journal_fill: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fclose(file);
    std::printf("journal of %d entries, %u bytes\n", entries, static_cast<unsigned>(bytes.size()));
    return 0;
}
