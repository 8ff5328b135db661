// Whole plans through the real schedulers, the pending cancel and a model of
// the restart (tests/unit/restart_model.h), in a small universe of names that
// meet: a file and its staged and backup names; case, ASCII, full-width, Greek
// and Cyrillic; short names with and without '~'; "..", "/", a second drive
// letter, a share, a folder link, the \\?\ and \\.\ prefixes; 9x names that
// share a base; stale staged copies and backups; another program's queued
// renames and deletions, of files and of folders; a second commit, a staged
// copy deleted by hand, a cancel. On NT, hard links and symbolic links to
// files (renamed as Windows or as Wine renames them) stand among the names;
// on both, names the code page cannot write beside their best-fit twins, a
// folder of double-byte characters whose names run past 259 bytes, and
// restart queues just short of the size the program reads back. After the
// restart, where did every original byte go, did anything the plan did not
// name move, and did every refusal give a reason that holds?
//
// TESSERA_MODEL_PLANS sets the number of plans per family (default 1000).
#include "platform/os_kind.h"
#include "schedule/journal_review.h"
#include "schedule/pending_replacements.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_journal.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/unit/restart_model.h"
#include "texts/texts.h"

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
    std::string path;  // its long name, as the machine writes it
    std::vector<std::string> spellings;  // in the code page
};
struct Name {
    std::string name;
    std::string alias;
};
struct Universe {
    OsKind osKind;
    std::vector<Folder> folders;
    std::vector<Name> names;  // each may stand in every folder
    // Folders that other programs' records move away, and put in place.
    std::vector<std::string> movedFolders;
};

std::string Repeated(const std::string& text, size_t count)
{
    std::string repeated;
    while (count-- > 0)
        repeated += text;
    return repeated;
}

// What stands for a character that code page 932 cannot write.
const std::string kOutside(1, ModelMachine::kOutside);
// Names the code page cannot write ("Ünï", "ßeta"), and a folder of such a
// name (reached by its alias) beside its best-fit twin, a folder in no plan.
const std::string kUnwritableFolder = "C:\\" + kOutside + "Un" + kOutside + "i";
const std::string kTwinFolder = "C:\\Uni";
const std::string kUnwritableFile = kOutside + "Un" + kOutside + "i.dll";
const std::string kUnwritableFile2 = kOutside + "seta.dll";
// A folder of 241 double-byte characters (表 ends in the byte 0x5C), typed by
// its alias: its files' names, long-formed, come to 200 to 259 characters and
// more, each of more than 259 bytes.
const std::string kDoubleByteFolder = "C:\\" + Repeated("表", 241);
// A folder whose files' names come to 256 to 259 bytes and more.
const std::string kLongFolder = "C:\\LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL";

// Every folder of both universes is there; roads lead to some of them.
void BuildFolders(ModelMachine& machine)
{
    machine.AddFolder("C:\\W");
    machine.AddFolder("C:\\WINDOWS");
    machine.AddFolder("C:\\Program Files", "PROGRA~1");
    machine.AddFolder("C:\\Program Files\\X");
    machine.AddFolder("C:\\Wide Folder", "WIDEFOLD");  // a short name without '~'
    machine.AddFolder("C:\\APP");
    machine.AddFolder("C:\\APP.INS");
    machine.AddFolder(kLongFolder, "LLLLLL~1");
    machine.AddFolder(kUnwritableFolder, "_N_~~QAH");
    machine.AddFolder(kTwinFolder);
    machine.AddFolder(kDoubleByteFolder, "表表表~1");
    machine.AddLink("C:\\LINK", "C:\\Program Files\\X");
    machine.AddRoad("T:", "C:\\W", ModelMachine::RoadKind::kDriveLetter);
    machine.AddRoad("S:", "C:\\W", ModelMachine::RoadKind::kSubst);
    machine.AddRoad("N:", "C:\\Wide Folder", ModelMachine::RoadKind::kNetworkDrive);
    machine.AddRoad("\\\\HOST\\SHARE", "C:\\Wide Folder", ModelMachine::RoadKind::kShare);
}

const Universe kNt = {
    OS_NT,
    {{"C:\\W",
      {"C:\\W", "c:\\w", "C:\\W\\..\\W", "C:/W", "T:", "\\\\?\\T:", "\\\\?\\C:\\W", "\\\\.\\C:\\W",
       "S:", "\\\\?\\S:"}},
     {"C:\\Program Files\\X",
      {"C:\\Program Files\\X", "C:\\PROGRA~1\\X", "c:\\program files/x", "C:\\LINK",
       "\\\\?\\C:\\PROGRA~1\\X"}},
     {"C:\\Wide Folder",
      {"C:\\Wide Folder", "C:\\WIDEFOLD", "c:\\wide folder", "\\\\HOST\\SHARE",
       "\\\\?\\UNC\\HOST\\SHARE", "N:"}},
     {"C:\\APP", {"C:\\APP", "c:\\app", "C:\\APP\\..\\APP"}},
     {kLongFolder, {kLongFolder, "C:\\LLLLLL~1"}},
     {kUnwritableFolder, {"C:\\_N_~~QAH", "c:\\_n_~~qah", "\\\\?\\C:\\_N_~~QAH", kTwinFolder}},
     {kDoubleByteFolder, {"C:\\表表表~1", "\\\\?\\C:\\表表表~1", kDoubleByteFolder}}},
    {{"X.DLL", ""},
     {"X.DLL.old", ""},
     {"X.DLL.new", ""},
     {"X.DLL.old.old", ""},
     {"LongName.dll", "LONGNA~1.DLL"},
     {"LongName.dll.old", ""},
     {"Other Name.dll", "OTHERNAM.DLL"},  // a short name without '~'
     {"Other Name.dll.old", ""},
     {"ＸＸ.DLL", ""},
     {"ＸＸ.DLL.old", ""},
     {"ΣΣ.DLL", ""},
     {"ΣΣ.DLL.old", ""},
     {"ДД.DLL", ""},
     {"ДД.DLL.old", ""},
     {"Y.DLL", ""},
     {kUnwritableFile, "_N_~XN7E.DLL"},
     {kUnwritableFile2, "_ETA~Z4K.DLL"}},
    {"C:\\APP", "C:\\Program Files", "C:\\W", kUnwritableFolder},
};
const Universe kNineX = {
    OS_9X,
    {{"C:\\WINDOWS", {"C:\\WINDOWS", "c:\\windows", "C:\\WINDOWS\\..\\WINDOWS", "C:/WINDOWS"}},
     {"C:\\Program Files\\X",
      {"C:\\Program Files\\X", "C:\\PROGRA~1\\X", "C:\\Program Files\\X\\..\\X"}},
     {"C:\\Wide Folder", {"C:\\Wide Folder", "C:\\WIDEFOLD", "c:\\widefold", "\\\\HOST\\SHARE", "N:"}},
     {"C:\\APP", {"C:\\APP", "c:\\app"}},
     {kUnwritableFolder, {"C:\\_N_~~QAH", "c:\\_n_~~qah", kTwinFolder}},
     {kDoubleByteFolder, {"C:\\表表表~1"}}},
    {{"FOO.DLL", ""},
     {"FOO.EXE", ""},
     {"FOO.OLD", ""},
     {"FOO.NEW", ""},
     {"HOSTS", ""},
     {"H.OLD", ""},
     {"LongName.dll", "LONGNA~1.DLL"},
     {"LONGNA~1.OLD", ""},
     {"Other Name.dll", "OTHERNAM.DLL"},
     {"OTHERNAM.OLD", ""},
     {"ＸＸ.DLL", ""},
     {"ＸＸ.OLD", ""},
     {"ΣΣ.DLL", ""},
     {"ΣΣ.OLD", ""},
     {"ДД.DLL", ""},
     {"BAR.DLL", ""},
     {kUnwritableFile, "_N_~XN7E.DLL"},
     {kUnwritableFile2, "_ETA~Z4K.DLL"}},
    {"C:\\APP", "C:\\Program Files", "C:\\WINDOWS"},
};

// name in lower case, the letters beyond ASCII too.
std::string Lowered(const std::string& name)
{
    const std::pair<std::string, std::string> pairs[] = {{"Ｘ", "ｘ"}, {"Σ", "σ"}, {"Д", "д"}};
    const FakeCodePage932 codePage;
    std::string lowered;
    for (size_t i = 0; i < name.size(); ++i) {
        if (!codePage.IsLeadByte(static_cast<unsigned char>(name[i]))) {
            lowered += name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
            continue;
        }
        std::string character = name.substr(i++, 2);
        for (const auto& [upper, lower] : pairs)
            character = character == upper ? lower : character;
        lowered += character;
    }
    return lowered;
}

const char kScheduled[] = "再起動後に置換されます．";

// The names that a refusal of the kind text gives in block: the report's
// lines made of that text's first line around its name.
std::vector<std::string> NamesRefusedIn(const std::string& block, TextId text)
{
    const std::string pattern(FormatText(text, {"\x01"}));
    const std::string line = pattern.substr(0, pattern.find('\n'));
    const std::string before = line.substr(0, line.find('\x01'));
    const std::string after = line.substr(line.find('\x01') + 1);
    std::vector<std::string> names;
    size_t start = 0;
    while (start < block.size()) {
        size_t end = block.find('\n', start);
        end = end == std::string::npos ? block.size() : end;
        const std::string candidate = block.substr(start, end - start);
        if (candidate.size() > before.size() + after.size() &&
            candidate.compare(0, before.size(), before) == 0 &&
            candidate.compare(candidate.size() - after.size(), after.size(), after) == 0)
            names.push_back(candidate.substr(before.size(),
                                             candidate.size() - before.size() - after.size()));
        start = end + 1;
    }
    return names;
}

// One entry of a commit, and where its bytes must be after the restart.
struct Entry {
    int source;       // the bytes of its source
    int oldBytes;     // the target's bytes when it was committed
    int name;         // the target's name (a link itself, not where it leads)
    int atBackup;     // the name under the backup name when committed, or -1
    std::string target;  // NT: the target's long name; 9x: its short name
    std::string ownName;  // the long name, which the target must keep
    std::string backup;  // the backup name the family derives
    int overwritten;  // the bytes at the backup name when committed, or 0
    int commit;
    std::string block;  // its block of the report
    bool scheduled = false;
    bool spoiled = false;  // its staged copy deleted by hand
    bool cancelled = false;
    bool Live() const { return scheduled && !cancelled; }
};

class Scenario {
public:
    Scenario(const Universe& universe, unsigned seed) : m_universe(universe), m_random(seed)
    {
        BuildFolders(m_machine);
        const bool nt = universe.osKind == OS_NT;
        m_twins.insert(m_machine.SelfOf(m_machine.Find(kTwinFolder)));
        std::vector<std::string> folders = {"C:\\APP.INS", kTwinFolder};
        for (const Folder& folder : universe.folders)
            folders.push_back(folder.path);
        std::vector<std::string> files;
        for (const std::string& folder : folders) {
            for (const Name& name : universe.names) {
                if (!Chance(3, 5))
                    continue;
                const std::string path = folder + "\\" + name.name;
                const int file = m_machine.AddFile(path, ++m_bytes, name.alias);
                files.push_back(path);
                if (folder == kTwinFolder)
                    m_twins.insert(file);
                // Only NT keeps permissions and guards system files.
                if (nt && Chance(1, 12))
                    m_machine.Deny(path);
                if (nt && Chance(1, 12))
                    m_machine.Guard(path);
                // The best-fit spelling of a name the code page lacks is
                // another file's name.
                if (ModelMachine::Unwritable(name.name) && Chance(1, 2)) {
                    m_twins.insert(m_machine.AddFile(folder + "\\" + ModelMachine::BestFit(name.name),
                                                     ++m_bytes));
                    trace += "machine: a best-fit twin beside " + path + "\n";
                }
            }
        }
        // Only NTFS has links to files: a name where no file stands leads to
        // one of them, or is another name of it.
        for (const Folder& folder : universe.folders) {
            for (const Name& name : universe.names) {
                const std::string path = folder.path + "\\" + name.name;
                if (!nt || !Chance(1, 8) || m_machine.FindName(path) >= 0)
                    continue;
                const std::string& to = AnyOf(files);
                if (Chance(1, 2)) {
                    m_machine.AddHardLink(path, to);
                    trace += "machine: " + path + " is a hard link of " + to + "\n";
                } else {
                    const bool asWine = Chance(1, 2);
                    m_machine.AddLink(path, to,
                                      asWine ? ModelMachine::LinkRename::kMovesTarget
                                             : ModelMachine::LinkRename::kMovesLink);
                    trace += "machine: " + path + " is a link to " + to +
                             (asWine ? ", renamed as Wine renames it\n"
                                     : ", renamed as Windows renames it\n");
                }
            }
        }
        const int foreign = Pick(3);
        for (int i = 0; i < foreign; ++i)
            QueueForeign();
        if (Chance(1, 100))
            FillQueue();
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
        const std::string waiting = JournalBeforeRestart();
        if (!waiting.empty())
            return waiting;
        m_machine.Restart();
        const std::string broken = m_broken.empty() ? Broken(baseline) : m_broken;
        return broken.empty() ? JournalAfterRestart() : broken;
    }

    std::string trace;

private:
    unsigned Pick(unsigned count) { return static_cast<unsigned>(m_random() % count); }
    bool Chance(unsigned in, unsigned of) { return Pick(of) < in; }
    template <typename T>
    const T& AnyOf(const std::vector<T>& items) { return items[Pick(static_cast<unsigned>(items.size()))]; }
    bool Nt() const { return m_universe.osKind == OS_NT; }
    // Keeps the first promise broken before the restart.
    void Break(const std::string& promise)
    {
        if (m_broken.empty())
            m_broken = promise;
    }

    // A spelling of a name of the universe, whether or not it exists: in the
    // code page, where a name it cannot write is spelled by its alias or its
    // best-fit look-alike; or, for a program that writes UTF-16, by its real
    // long name.
    std::string AnySpelling(const Folder& folder, const Name& name, bool utf16)
    {
        if (utf16 && Chance(1, 4))
            return folder.path + "\\" + (Pick(2) ? name.name : Lowered(name.name));
        std::string file = ModelMachine::BestFit(name.name);
        const unsigned how = Pick(3);
        if (how == 1)
            file = Lowered(file);
        else if (how == 2 && !name.alias.empty())
            file = name.alias;
        return AnyOf(folder.spellings) + "\\" + file;
    }
    std::string AnyName(bool utf16 = false)
    {
        return AnySpelling(AnyOf(m_universe.folders), AnyOf(m_universe.names), utf16);
    }

    void Queue(const std::string& from, const std::string& to, bool replace)
    {
        if (Nt()) {
            m_machine.QueueNt(from, to, replace);
        } else {
            if (m_machine.wininit.empty())
                m_machine.wininit = "[rename]\r\n";
            m_machine.wininit += (to.empty() ? std::string("NUL") : to) + "=" + from + "\r\n";
        }
        trace += "queued by another program: " + from + " -> " + to + "\n";
    }

    // A deletion, a rename that replaces, one that does not, or an update
    // that moves a folder away and puts another in its place. NT records are
    // UTF-16, 9x lines are in the code page.
    void QueueForeign()
    {
        const unsigned kind = Pick(5);
        if (kind == 3) {
            const std::string folder = AnyOf(m_universe.movedFolders);
            Queue(Pick(2) ? Lowered(folder) : folder, folder + ".BAK", false);
        } else if (kind == 4) {
            Queue("C:\\APP", "C:\\APP.BAK", false);
            Queue("C:\\APP.INS", "C:\\APP", false);
        } else {
            Queue(AnyName(Nt()), kind == 0 ? std::string() : AnyName(Nt()), kind == 1);
        }
    }

    // What is queued grows to just short of what the program reads back
    // (kMaxQueueBytes), so that a plan's renames may take it past: another
    // program's deletions of long names, or a long comment in wininit.ini.
    void FillQueue()
    {
        const size_t room = kMaxQueueBytes - (Nt() ? Pick(1200) : Pick(300));
        if (Nt()) {
            // A deletion's record: "\??\", the name and its null, the empty
            // destination's null; the list's own null once.
            const auto bytes = [](const std::string& name) { return 2 * (4 + name.size() + 2); };
            std::string& value = m_machine.ntValue;
            for (int i = 0;; ++i) {
                const size_t held = value.empty() ? 2 : value.size();
                const std::string folder = "C:\\PAD\\" + std::to_string(i) + "\\";
                if (held + bytes(folder + "A") > room)
                    break;
                const size_t units = std::min<size_t>(4000, (room - held) / 2 - 6 - folder.size());
                m_machine.QueueNt(folder + std::string(units, 'A'), "", false);
            }
        } else {
            if (m_machine.wininit.empty())
                m_machine.wininit = "[rename]\r\n";
            m_machine.wininit += ";" + std::string(room - m_machine.wininit.size() - 3, 'A') + "\r\n";
        }
        const size_t held = Nt() ? m_machine.ntValue.size() : m_machine.wininit.size();
        REQUIRE(held <= kMaxQueueBytes);
        trace += std::string(Nt() ? "queued by another program: deletions of long names"
                                  : "wininit.ini: a long comment") +
                 ", up to " + std::to_string(held) + " bytes\n";
    }

    bool QueueReadable()
    {
        std::string raw;
        const QueueResult result =
            Nt() ? m_machine.ReadNtValue(NtQueueValue::kPendingFileRenameOperations, raw)
                 : m_machine.ReadWininit(raw);
        return result == QueueResult::kOk || result == QueueResult::kEmpty;
    }

    // A plan of one to four pairs that the add rule accepts: the target exists
    // and is a file, its path fits 259 bytes, and no target text stands in the
    // plan twice. No best-fit twin is ever a target.
    void Commit()
    {
        ++m_commits;
        const bool readable = QueueReadable();
        CStringArray sources;
        CStringArray targets;
        const unsigned count = 1 + Pick(4);
        std::vector<Entry> entries;
        for (unsigned tries = 0; tries < 12 && static_cast<unsigned>(sources.GetSize()) < count; ++tries) {
            const std::string target = AnyName();
            const int file = m_machine.Find(target);
            bool planned = false;
            for (int i = 0; i < targets.GetSize(); ++i)
                planned = planned || target == static_cast<const char*>(targets[i]);
            if (file < 0 || m_machine.At(file).isFolder || planned || target.size() > 259 ||
                m_twins.count(m_machine.SelfOf(file)))
                continue;
            const std::string folder = "D:\\S" + std::to_string(++m_sources);
            const std::string source = folder + "\\" + target.substr(target.find_last_of("\\/") + 1);
            entries.push_back(EntryFor(m_machine.FindName(target), file, ++m_bytes));
            m_machine.AddFolder(folder);
            m_machine.AddFile(source, m_bytes);
            sources.Add(source.c_str());
            targets.Add(target.c_str());
            trace += "plan: " + source + " -> " + target + "\n";
        }
        // Now and then one of the commit's records cannot be written.
        m_machine.failingRecord =
            Chance(1, 8) ? m_machine.recordsWritten + 1 + static_cast<int>(Pick(6)) : 0;
        FakeMessageBoxes boxes;
        const SchedulerServices services{m_machine, m_codePage, boxes, m_machine,
                                         m_machine.Converter(), &m_journalAccess};
        if (Nt())
            ScheduleReplaceNt(sources, targets, services);
        else
            ScheduleReplace9x(sources, targets, services);
        REQUIRE(boxes.shown.size() == 1);
        trace += "report:\n" + boxes.shown[0].text;
        // A block per entry, each ending in a blank line.
        size_t at = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            Entry& entry = entries[i];
            const size_t end = boxes.shown[0].text.find("\n\n", at);
            REQUIRE(end != std::string::npos);
            entry.block = boxes.shown[0].text.substr(at, end - at + 1);
            entry.scheduled = entry.block.find(kScheduled) != std::string::npos;
            at = end + 2;
            CheckReasons(entry, static_cast<const char*>(targets[static_cast<int>(i)]));
            CheckNothingLeftBy(entry);
        }
        m_entries.insert(m_entries.end(), entries.begin(), entries.end());
        CheckListed(readable, entries);
    }

    Entry EntryFor(int name, int file, int source)
    {
        Entry entry;
        entry.source = source;
        entry.oldBytes = m_machine.At(file).bytes;
        entry.name = name;
        entry.ownName = m_machine.PathOf(name);
        if (Nt()) {
            entry.target = m_machine.PathOf(name);
            entry.backup = entry.target + ".old";
        } else {
            entry.target = m_machine.ShortPathOf(name);
            entry.backup = entry.target.substr(0, entry.target.size() - 4) + ".OLD";
        }
        entry.overwritten = m_machine.BytesAt(entry.backup);
        entry.atBackup = m_machine.FindName(entry.backup);
        entry.commit = m_commits;
        return entry;
    }

    // Each refusal's reason holds on the machine: a name refused as too long
    // is (NT counts characters, as MoveFileExA does; 9x bytes), one refused as
    // a link is one, a target refused for its name outside the code page has
    // such a long name, one refused as leading elsewhere does.
    void CheckReasons(const Entry& entry, const std::string& planned)
    {
        for (const std::string& name : NamesRefusedIn(entry.block, TextId::kNameTooLong)) {
            const size_t length = Nt() ? ModelMachine::Characters(name) : name.size();
            if (length <= 259)
                Break(name + " was refused as longer than 259 characters, yet it has " +
                      std::to_string(length));
        }
        for (const std::string& name : NamesRefusedIn(entry.block, TextId::kNameIsLink)) {
            if (!m_machine.IsLink(m_machine.FindName(name)))
                Break(name + " was refused as a link, yet it is none");
        }
        for (const std::string& name : NamesRefusedIn(entry.block, TextId::kNameOutsideCodePage)) {
            const int index = m_machine.FindName(name);
            if (index < 0 || !ModelMachine::Unwritable(m_machine.At(index).name))
                Break(name + " was refused for a name outside the code page, yet its name is "
                             "written in it");
        }
        for (const std::string& name : NamesRefusedIn(entry.block, TextId::kNameLeadsElsewhere)) {
            const int reached = m_machine.Find(name);
            const int checked = m_machine.Find(planned);
            if (reached >= 0 && checked >= 0 && m_machine.SelfOf(reached) == m_machine.SelfOf(checked))
                Break(name + " was refused as leading elsewhere, yet it leads to " + planned);
        }
    }

    // A refused entry leaves no copy of its source outside the sources'
    // drive, unless its block names the copy it could not delete.
    void CheckNothingLeftBy(const Entry& entry)
    {
        if (entry.scheduled || !NamesRefusedIn(entry.block, TextId::kStagedNotRemoved).empty())
            return;
        for (int file : m_machine.Existing()) {
            if (m_machine.At(file).isFolder || m_machine.At(file).bytes != entry.source)
                continue;
            const std::string path = m_machine.PathOf(file);
            if (path.rfind("D:", 0) != 0)
                Break(path + " was left behind by a refusal of commit " +
                      std::to_string(entry.commit));
        }
    }

    // The queue that could be read before a commit can be read after it,
    // and lists every replacement the report calls scheduled as Tessera's.
    void CheckListed(bool readable, const std::vector<Entry>& entries)
    {
        if (!readable)
            return;
        if (!QueueReadable()) {
            Break("after commit " + std::to_string(m_commits) +
                  " the restart queue is too large to be read back");
            return;
        }
        if (std::none_of(entries.begin(), entries.end(),
                         [](const Entry& entry) { return entry.scheduled; }))
            return;
        FakeMessageBoxes boxes;
        const PendingServices services{m_machine, m_machine.Converter(), m_machine, m_codePage,
                                       boxes};
        const PendingList list = ReadPendingList(m_universe.osKind, services);
        for (const Entry& entry : entries) {
            bool listed = false;
            for (const PendingRow& row : list.rows)
                listed = listed || (row.tessera && m_machine.Find(static_cast<const char*>(row.to)) ==
                                                       m_machine.Find(entry.target));
            if (entry.scheduled && !listed)
                Break(entry.target + " is scheduled, yet the pending list holds no row of it");
        }
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
        for (int file : m_machine.Existing()) {
            const std::string path = m_machine.PathOf(file);
            if (m_machine.At(file).bytes == entry.source && path.rfind("D:", 0) != 0) {
                trace += "deleted by hand: " + path + "\n";
                m_machine.RemoveFile(path.c_str());
                entry.spoiled = true;
                return;
            }
        }
    }

    void CancelOne()
    {
        FakeMessageBoxes boxes;
        const PendingServices services{m_machine, m_machine.Converter(), m_machine, m_codePage,
                                       boxes, &m_journalAccess};
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
        // The row's target is the entry's: the file the names lead to.
        const int target = m_machine.Find(static_cast<const char*>(row.to));
        for (Entry& entry : m_entries) {
            if (entry.Live() && m_machine.Find(entry.target) == target)
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
            if (!entry.spoiled && m_machine.BytesAt(entry.ownName) != entry.source)
                return entry.ownName + " does not hold its new bytes under its own name";
        }
        // Targets of entries not scheduled are left as the restart leaves them
        // without Tessera.
        for (const Entry& entry : m_entries) {
            bool replaced = MayBeReplacedByBackup(entry.oldBytes);
            for (const Entry& other : m_entries)
                replaced = replaced || (other.Live() && other.oldBytes == entry.oldBytes);
            const int before = baseline.Find(entry.target);
            if (!replaced && before >= 0 &&
                m_machine.BytesAt(entry.target) != baseline.At(before).bytes)
                return entry.target + " was not scheduled, yet it changed";
        }
        // Every other name, a file's or a folder's, a link's or a best-fit
        // twin's, a file that a link leads to or another name of a target, is
        // where the restart leaves it without Tessera. A scheduled entry moves
        // its target's name and replaces the name at its backup.
        std::set<int> moved;
        for (const Entry& entry : m_entries) {
            if (entry.Live())
                moved.insert({entry.name, entry.atBackup});
        }
        const std::vector<int> was = baseline.Existing();
        const std::vector<int> is = m_machine.Existing();
        const std::set<int> existed(was.begin(), was.end());
        const std::set<int> exists(is.begin(), is.end());
        for (int name = 0; name < baseline.Count(); ++name) {
            if (moved.count(name))
                continue;
            if (existed.count(name) != exists.count(name))
                return baseline.PathOf(name) + " was in no plan, yet it " +
                       (existed.count(name) ? "is gone" : "came back");
            // Where each name stands tells where every name stands.
            if (existed.count(name) && (baseline.At(name).parent != m_machine.At(name).parent ||
                                        baseline.At(name).name != m_machine.At(name).name))
                return baseline.PathOf(name) + " was in no plan, yet it moved to " +
                       m_machine.PathOf(name);
        }
        std::set<int> present;
        for (int file : m_machine.Existing()) {
            if (!m_machine.IsLink(file))
                present.insert(m_machine.At(file).bytes);
        }
        for (int file : baseline.Existing()) {
            const int bytes = baseline.At(file).bytes;
            if (!baseline.At(file).isFolder && !baseline.IsLink(file) && !present.count(bytes) &&
                !MayBeReplacedByBackup(bytes))
                return "the bytes of " + baseline.PathOf(file) + " are in no file";
        }
        // A new file's bytes are only at the target of its scheduled entry, or
        // at a copy that the report names as not deleted.
        for (int file : m_machine.Existing()) {
            if (m_machine.At(file).isFolder || m_machine.PathOf(file).rfind("D:", 0) == 0)
                continue;
            for (const Entry& entry : m_entries) {
                if (m_machine.At(file).bytes == entry.source &&
                    !(entry.Live() && m_machine.Find(entry.target) == file) &&
                    NamesRefusedIn(entry.block, TextId::kStagedNotRemoved).empty())
                    return m_machine.PathOf(file) + " was left behind";
            }
        }
        return std::string();
    }

    // The plan's entry that a journal entry is of: its new file's size is the
    // number that stands for the source's bytes.
    const Entry* ModelEntryOf(const JournalEntry& journaled) const
    {
        for (const Entry& entry : m_entries) {
            if (entry.scheduled && journaled.newFile.file.size == static_cast<unsigned long long>(entry.source))
                return &entry;
        }
        return nullptr;
    }

    // Before the restart the journal holds an entry per pair scheduled, whose
    // renames wait under the names journaled unless it was cancelled (a later
    // commit may record the same names again).
    std::string JournalBeforeRestart()
    {
        const JournalContents journal = ParseJournal(m_journal.bytes);
        const auto scheduled = std::count_if(m_entries.begin(), m_entries.end(),
                                             [](const Entry& entry) { return entry.scheduled; });
        if (journal.skipped != 0 || journal.entries.size() != static_cast<size_t>(scheduled))
            return "the journal's entries are not the pairs scheduled";
        const WaitingRenames waiting(m_universe.osKind, m_machine, m_machine.Converter());
        for (const JournalEntry& journaled : journal.entries) {
            const Entry* entry = ModelEntryOf(journaled);
            if (!entry || (!entry->cancelled && !waiting.Wait(journaled.names)))
                return std::string(journaled.names.target) + ": no pair's, or its renames do not wait";
        }
        return std::string();
    }

    // After the restart a pair carried out is judged replaced, one whose staged
    // copy was deleted by hand has lost its target, a cancel is told.
    std::string JournalAfterRestart()
    {
        FakeVersionTexts noVersions;
        for (const JournalEntry& journaled : ParseJournal(m_journal.bytes).entries) {
            const Entry& entry = *ModelEntryOf(journaled);
            const EntryOutcome judged = entry.cancelled ? journaled.told
                                                        : JudgeEntry(journaled, m_machine, noVersions).outcome;
            const EntryOutcome expected = entry.cancelled ? EntryOutcome::kCancelled
                                          : entry.spoiled ? EntryOutcome::kTargetMissing
                                                          : EntryOutcome::kReplaced;
            if (judged != expected)
                return std::string(journaled.names.target) + ": judged " + Text(OutcomeText(judged)) +
                       ", not " + Text(OutcomeText(expected));
        }
        return std::string();
    }

    const Universe& m_universe;
    std::mt19937 m_random;
    FakeJournalStore m_journal;
    FakeClock m_clock;
    JournalAccess m_journalAccess{m_journal, m_clock};
    ModelMachine m_machine;
    FakeCodePage932 m_codePage;
    std::vector<Entry> m_entries;
    std::set<int> m_twins;  // best-fit twins, files and folder, by their selves
    std::string m_broken;
    int m_bytes = 0;
    int m_sources = 0;
    int m_commits = 0;
};

// text with each character the code page lacks shown as its look-alike in
// braces ("C:\\{U}n{i}"), as the console can show it.
std::string Shown(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ModelMachine::kOutside && i + 1 < text.size())
            shown += std::string("{") + text[++i] + "}";
        else
            shown += text[i];
    }
    return shown;
}

int PlansPerFamily()
{
    const char* setting = std::getenv("TESSERA_MODEL_PLANS");
    return setting ? std::atoi(setting) : 1000;
}

// Every plan is replayed; the count of plans that broke a promise is
// printed, and the first of them shown whole.
void Replay(const Universe& universe, const char* family)
{
    const int plans = PlansPerFamily();
    int broken = 0;
    std::string first;
    for (int seed = 1; seed <= plans; ++seed) {
        Scenario scenario(universe, static_cast<unsigned>(seed));
        const std::string promise = scenario.Run();
        if (!promise.empty() && broken++ == 0)
            first = Shown(std::string(family) + " seed " + std::to_string(seed) + ": " + promise +
                          "\n" + scenario.trace);
    }
    std::printf("restart model, %s: %d plans, %d broke a promise\n", family, plans, broken);
    CHECK_MESSAGE(broken == 0, first);
}
}  // namespace

TEST_CASE("Whatever the plan, the restart loses no byte and keeps every promise of the report")
{
    SUBCASE("NT") { Replay(kNt, "NT"); }
    SUBCASE("9x") { Replay(kNineX, "9x"); }
}
