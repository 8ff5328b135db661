#include "app/tessera_app.h"

#include "framework/path_text.h"
#include "schedule/restart_prompt.h"
#include "texts/texts.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace {
const unsigned long kPlatformWindows = 1;  // VER_PLATFORM_WIN32_WINDOWS
const unsigned long kPlatformNt = 2;       // VER_PLATFORM_WIN32_NT
const unsigned long kFirstNtBuild = 1381;  // Windows NT 4.0

// Reads the token's whole group list, however many groups it holds.
bool ReadTokenGroups(TokenServices& tokens, TokenServices::Handle token,
                     std::vector<TokenGroupEntry>& buffer)
{
    unsigned long needed = 0;
    tokens.GetTokenGroups(token, nullptr, 0, &needed);
    if (needed < sizeof(unsigned long))
        return false;
    buffer.assign(needed / sizeof(TokenGroupEntry) + 1, TokenGroupEntry());
    const unsigned long size = static_cast<unsigned long>(buffer.size() * sizeof(TokenGroupEntry));
    return tokens.GetTokenGroups(token, buffer.data(), size, &needed);
}
}  // namespace

void ModuleDirectoryOf(const char* modulePath, char (&directory)[260], const CodePage& codePage)
{
    const int lastBackslash = FindLastBackslash(modulePath, codePage);
    const size_t length = lastBackslash < 0 ? 0 : static_cast<size_t>(lastBackslash) + 1;
    if (length >= sizeof directory) {
        directory[0] = '\0';
        return;
    }
    std::memcpy(directory, modulePath, length);
    directory[length] = '\0';
}

bool CTesseraApp::InitInstance()
{
    // Japanese where the ANSI code page is 932, English wherever else:
    // Japanese bytes read in another code page are mojibake.
    ChooseLanguage(m_services.facts.AnsiCodePage() == 932 ? Language::kJapanese
                                                          : Language::kEnglish);
    m_services.libraries.SetUpLibraries();
    ModuleDirectoryOf(m_services.facts.ModulePath(), m_szModuleDir, m_services.codePage);
    const PlatformVersion version = m_services.facts.GetVersion();

    m_nOsKind = OS_UNKNOWN;
    if (version.platformId == kPlatformNt) {
        if (version.buildNumber < kFirstNtBuild) {
            m_services.boxes.Show(Text(TextId::kRefusalOldNt), box::kOk);
            return false;
        }
        m_nOsKind = OS_NT;
    } else if (version.platformId == kPlatformWindows) {
        m_nOsKind = OS_9X;
    } else {
        m_services.boxes.Show(Text(TextId::kRefusalPlatform), box::kOk);
        return false;
    }

    // A 32-bit program on 64-bit Windows would check and stage files in the
    // redirected system folder and record renames for the real one.
    if (m_services.facts.RunsUnderWow64()) {
        m_services.boxes.Show(Text(TextId::kRefusalWow64), box::kOk);
        return false;
    }

    if (m_nOsKind == OS_NT && !IsAdmin()) {
        m_services.boxes.Show(Text(TextId::kRefusalNotAdmin), box::kOk);
        return false;
    }

    if (m_services.restartReview)
        m_services.restartReview->TellWhatTheRestartDid(m_nOsKind);
    m_services.mainDialog.RunMainDialog();
    return false;
}

int CTesseraApp::ExitInstance()
{
    m_services.libraries.ReleaseLibraries();
    return CWinApp::ExitInstance();
}

// Whether the token of the thread, or else of the process, lists the
// Administrators group. Being listed is enough: a deny-only entry counts.
bool CTesseraApp::IsAdmin()
{
    TokenServices& tokens = m_services.tokens;
    TokenServices::Handle token = nullptr;
    if (!tokens.OpenThreadToken(&token)) {
        if (tokens.LastError() != TokenServices::kErrorNoToken)
            return false;
        if (!tokens.OpenProcessToken(&token))
            return false;
    }

    std::vector<TokenGroupEntry> buffer;
    const bool read = ReadTokenGroups(tokens, token, buffer);
    tokens.CloseToken(token);
    if (!read)
        return false;

    TokenServices::Sid administrators = nullptr;
    if (!tokens.AllocateAdministratorsSid(&administrators))
        return false;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    const unsigned long count = reinterpret_cast<const TokenGroupList*>(bytes)->count;
    const auto* groups =
        reinterpret_cast<const TokenGroupEntry*>(bytes + offsetof(TokenGroupList, groups));
    const size_t capacity =
        (buffer.size() * sizeof(TokenGroupEntry) - offsetof(TokenGroupList, groups)) /
        sizeof(TokenGroupEntry);
    bool listed = false;
    for (unsigned long i = 0; i < count && i < capacity && !listed; ++i)
        listed = tokens.EqualSid(administrators, groups[i].sid);
    tokens.FreeSid(administrators);
    return listed;
}

int CTesseraApp::AskRestart(unsigned style)
{
    return ::AskRestart(style, m_nOsKind, m_services.boxes, m_services.restart);
}

bool CTesseraApp::OpenHelpFile(const char* name)
{
    const CString path = CString(m_szModuleDir) + name;
    const int result = m_services.shell.OpenDocument(path);
    // A missing file and a type without a program are the user's to fix; any
    // other outcome, success or not, is the shell's own business.
    if (result != Shell::kFileNotFound && result != Shell::kNoAssociation)
        return true;
    m_services.boxes.Show(FormatText(TextId::kHelpNotOpened, {path}),
                          box::kIconHand);
    return false;
}
