// Whole plans through the real schedulers, the pending cancel and a model of
// the restart (tests/unit/restart_model.h), in a small universe of names that
// meet: a file and its staged and backup names, case, short and long
// spellings, "..", 9x names that share a base, stale staged copies and
// backups, another program's queued renames and deletions, a second commit,
// a staged copy deleted by hand, a cancel. After the restart, where did every
// original byte go?
//
// TESSERA_MODEL_PLANS sets the number of plans per family (default 1000).
#include "platform/os_kind.h"
#include "schedule/pending_replacements.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_path_names.h"
#include "tests/fakes/fake_wide_to_ansi.h"
#include "tests/unit/restart_model.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {
struct Folder {
    std::string path;
    std::string alias;  // of its last component
    std::vector<std::string> spellings;
};
struct Name {
    std::string name;
    std::string alias;
};
struct Universe {
    int osKind;
    std::vector<Folder> folders;
    std::vector<Name> names;  // each may stand in every folder
};

const Universe kNt = {
    OS_NT,
    {{"C:\\W", "", {"C:\\W", "c:\\w", "C:\\W\\..\\W", "C:/W"}},
     {"C:\\Program Files\\X",
      "",
      {"C:\\Program Files\\X", "C:\\PROGRA~1\\X", "C:\\Program Files\\X\\..\\X",
       "c:\\program files/x"}}},
    {{"X.DLL", ""},
     {"X.DLL.old", ""},
     {"X.DLL.new", ""},
     {"X.DLL.old.old", ""},
     {"LongName.dll", "LONGNA~1.DLL"},
     {"LongName.dll.old", ""},
     {"Y.DLL", ""},
     {"Y.DLL.old", ""}},
};
const Universe kNineX = {
    OS_9X,
    {{"C:\\WINDOWS", "", {"C:\\WINDOWS", "c:\\windows", "C:\\WINDOWS\\..\\WINDOWS", "C:/WINDOWS"}},
     {"C:\\Program Files\\X",
      "",
      {"C:\\Program Files\\X", "C:\\PROGRA~1\\X", "C:\\Program Files\\X\\..\\X"}}},
    {{"FOO.DLL", ""},
     {"FOO.EXE", ""},
     {"FOO.OLD", ""},
     {"FOO.NEW", ""},
     {"HOSTS", ""},
     {"H.OLD", ""},
     {"LongName.dll", "LONGNA~1.DLL"},
     {"LONGNA~1.OLD", ""},
     {"BAR.DLL", ""}},
};

const char kScheduled[] = "再起動後に置換されます．";

// One entry of a commit, and where its bytes must be after the restart.
struct Entry {
    int source;       // the bytes of its source
    int oldBytes;     // the target's bytes when it was committed
    std::string target;  // NT: the target's long name; 9x: its short name
    std::string backup;  // the backup name the family derives
    int overwritten;  // the bytes at the backup name when committed, or 0
    int commit;
    bool scheduled = false;
    bool spoiled = false;  // its staged copy deleted by hand
    bool cancelled = false;
    bool Live() const { return scheduled && !cancelled; }
};

class Scenario {
public:
    Scenario(const Universe& universe, unsigned seed) : m_universe(universe), m_random(seed)
    {
        m_machine.AddFolder("C:\\Program Files", "PROGRA~1");
        for (const Folder& folder : universe.folders) {
            m_machine.AddFolder(folder.path, folder.alias);
            for (const Name& name : universe.names) {
                if (Chance(3, 5))
                    m_machine.AddFile(folder.path + "\\" + name.name, ++m_bytes, name.alias);
            }
        }
        const int foreign = Pick(3);
        for (int i = 0; i < foreign; ++i)
            QueueForeign();
    }

    // Commits, a staged copy deleted by hand, a cancel, perhaps a second
    // commit, then the restart; answers the first broken promise, or "".
    std::string Run()
    {
        ModelMachine baseline = m_machine;
        baseline.Restart();
        Commit();
        if (Chance(1, 4))
            DeleteStagedCopyByHand();
        if (Chance(1, 3))
            CancelOne();
        if (Chance(2, 5))
            Commit();
        m_machine.Restart();
        return Broken(baseline);
    }

    std::string trace;

private:
    unsigned Pick(unsigned count) { return static_cast<unsigned>(m_random() % count); }
    bool Chance(unsigned in, unsigned of) { return Pick(of) < in; }
    template <typename T>
    const T& AnyOf(const std::vector<T>& items) { return items[Pick(static_cast<unsigned>(items.size()))]; }

    // A spelling of a name of the universe, whether or not it exists.
    std::string AnySpelling(const Folder& folder, const Name& name)
    {
        std::string file = name.name;
        const unsigned how = Pick(3);
        if (how == 1)
            std::transform(file.begin(), file.end(), file.begin(), ::tolower);
        else if (how == 2 && !name.alias.empty())
            file = name.alias;
        return AnyOf(folder.spellings) + "\\" + file;
    }
    std::string AnyName() { return AnySpelling(AnyOf(m_universe.folders), AnyOf(m_universe.names)); }

    void QueueForeign()
    {
        const std::string from = AnyName();
        const unsigned kind = Pick(3);  // a deletion, a rename that replaces, one that does not
        const std::string to = kind == 0 ? std::string() : AnyName();
        if (m_universe.osKind == OS_NT) {
            m_machine.QueueNt(ResolveDots(from), ResolveDots(to), kind == 1);
        } else {
            if (m_machine.wininit.empty())
                m_machine.wininit = "[rename]\r\n";
            m_machine.wininit += (kind == 0 ? std::string("NUL") : to) + "=" + from + "\r\n";
        }
        trace += "queued by another program: " + from + " -> " + to + "\n";
    }

    // A plan of one to four pairs that the add rule accepts: the target exists
    // and is a file, and no target text stands in the plan twice.
    void Commit()
    {
        ++m_commits;
        CStringArray sources;
        CStringArray targets;
        const unsigned count = 1 + Pick(4);
        std::vector<Entry> entries;
        for (unsigned tries = 0; tries < 12 && static_cast<unsigned>(sources.GetSize()) < count; ++tries) {
            const std::string target = AnyName();
            const ModelMachine::File* file = m_machine.Find(target);
            bool planned = false;
            for (int i = 0; i < targets.GetSize(); ++i)
                planned = planned || target == static_cast<const char*>(targets[i]);
            if (!file || file->isFolder || planned)
                continue;
            const std::string folder = "D:\\S" + std::to_string(++m_sources);
            const std::string source = folder + "\\" + target.substr(target.find_last_of("\\/") + 1);
            entries.push_back(EntryFor(*file, ++m_bytes));
            m_machine.AddFolder(folder);
            m_machine.AddFile(source, m_bytes);
            sources.Add(source.c_str());
            targets.Add(target.c_str());
            trace += "plan: " + source + " -> " + target + "\n";
        }
        FakeMessageBoxes boxes;
        const SchedulerServices services{m_machine, m_codePage, boxes, m_machine, m_wideToAnsi};
        if (m_universe.osKind == OS_NT)
            ScheduleReplaceNt(sources, targets, services);
        else
            ScheduleReplace9x(sources, targets, services);
        REQUIRE(boxes.shown.size() == 1);
        trace += "report:\n" + boxes.shown[0].text;
        // A block per entry, each ending in a blank line.
        size_t at = 0;
        for (Entry& entry : entries) {
            const size_t end = boxes.shown[0].text.find("\n\n", at);
            REQUIRE(end != std::string::npos);
            entry.scheduled = boxes.shown[0].text.substr(at, end - at).find(kScheduled) !=
                              std::string::npos;
            at = end + 2;
        }
        m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    }

    Entry EntryFor(const ModelMachine::File& target, int source)
    {
        Entry entry;
        entry.source = source;
        entry.oldBytes = target.bytes;
        if (m_universe.osKind == OS_NT) {
            entry.target = target.Path();
            entry.backup = entry.target + ".old";
        } else {
            entry.target = m_machine.ShortForm(target);
            entry.backup = entry.target.substr(0, entry.target.size() - 4) + ".OLD";
        }
        entry.overwritten = m_machine.BytesAt(entry.backup);
        entry.commit = m_commits;
        return entry;
    }

    void DeleteStagedCopyByHand()
    {
        std::vector<Entry*> live;
        for (Entry& entry : m_entries) {
            if (entry.Live())
                live.push_back(&entry);
        }
        if (live.empty())
            return;
        Entry& entry = *AnyOf(live);
        for (const ModelMachine::File& file : m_machine.Files()) {
            if (file.bytes == entry.source && file.folder.rfind("D:", 0) != 0) {
                trace += "deleted by hand: " + file.Path() + "\n";
                m_machine.RemoveFile(file.Path().c_str());
                entry.spoiled = true;
                return;
            }
        }
    }

    void CancelOne()
    {
        FakeMessageBoxes boxes;
        const PendingServices services{m_machine, m_wideToAnsi, m_machine, m_codePage, boxes};
        const PendingList list = ReadPendingList(m_universe.osKind, services);
        std::vector<size_t> rows;
        for (size_t i = 0; i < list.rows.size(); ++i) {
            if (list.rows[i].tessera)
                rows.push_back(i);
        }
        if (rows.empty())
            return;
        const PendingRow& row = list.rows[AnyOf(rows)];
        const CancelResult result = CancelPendingReplacement(list, &row - &list.rows[0], services);
        trace += "cancelled: " + std::string(row.to) + "\n";
        REQUIRE(result == CancelResult::kCancelled);
        // The row's target is the entry's, by the name the file system resolves.
        const std::string target = m_machine.LongForm(static_cast<const char*>(row.to));
        for (Entry& entry : m_entries) {
            if (entry.Live() && IsSameName(m_machine.LongForm(entry.target), target))
                entry.cancelled = true;
        }
    }

    // The documented exception: an existing file at a scheduled entry's
    // backup name is replaced, unless its own plan names it.
    bool MayBeReplacedByBackup(int bytes) const
    {
        for (const Entry& entry : m_entries) {
            if (!entry.Live() || entry.overwritten != bytes)
                continue;
            bool planned = false;
            for (const Entry& other : m_entries)
                planned = planned || (other.commit == entry.commit && other.oldBytes == bytes);
            if (!planned)
                return true;
        }
        return false;
    }

    std::string Broken(const ModelMachine& baseline) const
    {
        for (const Entry& entry : m_entries) {
            if (!entry.Live())
                continue;
            if (m_machine.BytesAt(entry.backup) != entry.oldBytes)
                return entry.target + "'s old bytes are not in " + entry.backup;
            if (!entry.spoiled && m_machine.BytesAt(entry.target) != entry.source)
                return entry.target + " does not hold its new bytes";
        }
        // Targets of entries not scheduled are left as the restart leaves them
        // without Tessera.
        for (const Entry& entry : m_entries) {
            bool replaced = MayBeReplacedByBackup(entry.oldBytes);
            for (const Entry& other : m_entries)
                replaced = replaced || (other.Live() && other.oldBytes == entry.oldBytes);
            const ModelMachine::File* before = baseline.Find(entry.target);
            if (!replaced && before && m_machine.BytesAt(entry.target) != before->bytes)
                return entry.target + " was not scheduled, yet it changed";
        }
        std::set<int> present;
        for (const ModelMachine::File& file : m_machine.Files())
            present.insert(file.bytes);
        for (const ModelMachine::File& file : baseline.Files()) {
            if (!file.isFolder && !present.count(file.bytes) && !MayBeReplacedByBackup(file.bytes))
                return "the bytes of " + file.Path() + " are in no file";
        }
        // A new file's bytes are only at the target of its scheduled entry.
        for (const ModelMachine::File& file : m_machine.Files()) {
            if (file.isFolder || file.folder.rfind("D:", 0) == 0)
                continue;
            for (const Entry& entry : m_entries) {
                if (file.bytes == entry.source &&
                    !(entry.Live() && m_machine.Find(entry.target) == &file))
                    return file.Path() + " was left behind";
            }
        }
        return std::string();
    }

    const Universe& m_universe;
    std::mt19937 m_random;
    ModelMachine m_machine;
    FakeCodePage932 m_codePage;
    FakeWideToAnsi m_wideToAnsi;
    std::vector<Entry> m_entries;
    int m_bytes = 0;
    int m_sources = 0;
    int m_commits = 0;
};

int PlansPerFamily()
{
    const char* setting = std::getenv("TESSERA_MODEL_PLANS");
    return setting ? std::atoi(setting) : 1000;
}

void Replay(const Universe& universe, const char* family)
{
    const int plans = PlansPerFamily();
    for (int seed = 1; seed <= plans; ++seed) {
        Scenario scenario(universe, static_cast<unsigned>(seed));
        const std::string broken = scenario.Run();
        INFO(std::string(family) << " seed " << seed << "\n" << scenario.trace);
        REQUIRE(broken == "");
    }
    std::printf("restart model, %s: %d plans, every original byte accounted for\n", family, plans);
}
}  // namespace

TEST_CASE("Whatever the plan, the restart loses no byte and keeps every promise of the report")
{
    SUBCASE("NT") { Replay(kNt, "NT"); }
    SUBCASE("9x") { Replay(kNineX, "9x"); }
}
