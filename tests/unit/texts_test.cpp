// The catalogue of texts in both languages.
#include "texts/texts.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>

namespace {
// The arguments a text shows, as the set of their numbers ("12" for %1 and
// %2, in any order and however often); "?" for a '%' that is neither %1 to %9
// nor %%, which would show as it stands.
std::string Arguments(const char* text)
{
    std::string numbers;
    for (const char* c = text; *c; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c >= '1' && *c <= '9') {
            if (numbers.find(*c) == std::string::npos)
                numbers.insert(std::lower_bound(numbers.begin(), numbers.end(), *c), *c);
        } else if (*c != '%') {
            return numbers + "?";
        }
    }
    return numbers;
}
}  // namespace

TEST_CASE("Every text has both languages: the same arguments, numbered from 1, English in ASCII")
{
    REQUIRE(TextCount() > 0);
    for (int i = 0; i < TextCount(); ++i) {
        const TextId id = static_cast<TextId>(i);
        const std::string japanese = Text(id, Language::kJapanese);
        const std::string english = Text(id, Language::kEnglish);
        CAPTURE(i);
        CAPTURE(english);
        CHECK_FALSE(japanese.empty());
        CHECK_FALSE(english.empty());
        CHECK(Arguments(japanese.c_str()) == Arguments(english.c_str()));
        for (const char c : english)
            CHECK(static_cast<unsigned char>(c) < 0x80);
        // Callers pass a text's arguments in order: none is left out.
        const std::string numbers = Arguments(english.c_str());
        CHECK(numbers == std::string("123456789").substr(0, numbers.size()));
    }
}

TEST_CASE("A text takes its arguments by number, a name as often as the text shows it")
{
    CHECK(ChosenLanguage() == Language::kJapanese);
    CHECK(FormatText(TextId::kRenameDenied, {"C:\\A.DLL"}) ==
          "C:\\A.DLLは管理者にもシステムにも削除の権限がないため、再起動時に名前を変えられません．\n"
          "置換は予約されていません．所有者を変えて管理者にフル コントロールを与えてから"
          "(takeown /f \"C:\\A.DLL\" /a と icacls \"C:\\A.DLL\" /grant *S-1-5-32-544:F)、"
          "もう一度追加してください．\n");
    CHECK(FormatText(TextId::kCopyFailed, {CString("A"), "B"}) ==
          "AをBにコピーするのに失敗しました．\nBがすでにある可能性があります．\n");
    CHECK(FormatText(TextId::kPendingCount, {12}) == "再起動待ちの項目は12件です．");
}
