#include <gtest/gtest.h>

#include <set>

#include "app/ComposeMessage.h"
#include "mime/TransferEncoding.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/PythonParser.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

std::string U8(std::u16string_view text) {
  return WideToUtf8(text);
}

std::u16string Lf(std::u16string text) {
  std::erase(text, u'\r');
  return text;
}

// Without blanks: compat32 drops the blank between plain text and an
// encoded word, and Python shows one between adjacent encoded words of a
// display name; the subject read by policy=default is compared whole.
std::u16string Unblanked(std::u16string text) {
  std::erase(text, u' ');
  std::erase(text, u'\t');
  return text;
}

std::u16string Repeat(std::u16string_view piece, int times) {
  std::u16string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// Every choice of the encoding dialog's code set list.
constexpr const char* kCharsetSettings[] = {"0", "1", "2", "3", "4", "5"};

// The settings whose Japanese text goes out as ISO-2022-JP.
bool WritesJis(const char* charset) {
  return std::string(charset) < "4";
}

// A program folder with one account; each draft is composed with a fresh
// component, written to a file and read back by Python.
class WireMatrixTest : public ::testing::Test {
 protected:
  WireMatrixTest() : clock(JapanNoon()) {
    settings.Write(kAccount, keys::kName, WideToSjis(u"山田 太郎"));
    settings.Write(kAccount, keys::kAddress, "taro@example.jp");
  }

  JsonValue ComposeAndCheck(const MessageDraft& draft, bool rawHeaderNames = false) {
    TZelMime mime(clock, home.Path());
    SetUpMessageComponent(mime);
    ComposeMessage(draft, settings.AttachFilePaths(), {settings, clock, kAccount, u"Version 3.2.6"},
                   mime);
    text = mime.MessageText();
    mime.SaveToFile(home / "message.eml");
    return CheckWireWithPython(home / "message.eml", rawHeaderNames);
  }

  // The entries of the list of that name, one string.
  static std::string Listed(const JsonValue& checked, const char* list) {
    std::string all;
    for (const JsonValue& entry : checked[list].array) all += U8(entry.string) + "; ";
    return all;
  }

  static inline const AnsiString kAccount = "work";
  ScopedTimeZone zone{"JST-9"};
  TempFolder home;
  IniFileUnit settings{home.Path()};
  FixedClock clock;
  AnsiString text;
};

TEST_F(WireMatrixTest, TypedTextsReadBackExactlyInEveryCharset) {
  struct Case {
    const char* name;
    std::u16string text;
    // As read back where ISO-2022-JP carries it: half-width kana become
    // full-width ones there.
    std::u16string jis = text;
  } cases[] = {
      {"ASCII", u"Hello, world"},
      {"Japanese", u"見積のお願い"},
      {"emoji", u"会議 🎉 確認"},
      {"half-width kana", u"ｶﾀｶﾅ ﾃｽﾄ", u"カタカナ テスト"},
      {"long Japanese", Repeat(u"長い件名の試験", 40)},
      {"long ASCII word", Repeat(u"abcdefghij", 120)},
      {"long ASCII words", Repeat(u"word ", 300) + u"end"},
      {"mixed", u"Re: 見積 (2) — ﾃｽﾄ ① café"},
      {"tab", u"前\t後"},
  };
  for (const char* charset : kCharsetSettings) {
    settings.WriteGeneralString("Encode", "Encode", charset);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string("charset ") + charset + ", " + c.name);
      const std::u16string& read = WritesJis(charset) ? c.jis : c.text;
      MessageDraft draft;
      draft.ToText = u"\"" + c.text + u"\" <hanako@example.jp>";
      draft.Subject = c.text;
      WriteFile(home / "body.txt", U8(c.text + u"\n" + c.text + u"\n"));
      draft.BodyFileName = home / "body.txt";
      const JsonValue checked = ComposeAndCheck(draft);
      SCOPED_TRACE(text.substr(0, 3000));
      EXPECT_EQ(Listed(checked, "problems"), "");
      EXPECT_EQ(Listed(checked, "defects"), "");
      EXPECT_EQ(U8(checked["default"]["subject"].string), U8(read));
      EXPECT_EQ(U8(Unblanked(checked["compat32"]["subject"].string)), U8(Unblanked(read)));
      for (const char* policy : {"default", "compat32"})
        EXPECT_EQ(U8(Lf(checked[policy]["body"].string)), U8(read + u"\n" + read + u"\n"))
            << policy;
      ASSERT_EQ(checked["default"]["to"].array.size(), 1u);
      EXPECT_EQ(U8(Unblanked(checked["default"]["to"][0]["name"].string)), U8(Unblanked(read)));
      ASSERT_EQ(checked["compat32"]["to"].array.size(), 1u);
      EXPECT_EQ(U8(Unblanked(checked["compat32"]["to"][0].string)), U8(Unblanked(read)));
    }
  }
}

TEST_F(WireMatrixTest, AttachmentsReadBackByteExactInEveryNameMode) {
  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 131) & 0xFF);
  struct Case {
    std::u16string name;
    std::string bytes;
    std::u16string jis = name;  // as read back from ISO-2022-JP
  } files[] = {
      {u"見積書.xlsx", binary},
      {u"empty.dat", ""},
      {u"ﾃｽﾄ.txt", "half-width kana", u"テスト.txt"},
      {Repeat(u"とても長い添付ファイルの名前", 5) + u".pdf", "long name"},
      {u"報告 2024 (最終版).docx", "blanks"},
      {u"crlf.txt", "a\r\nb\r\n.\r\n"},
  };
  // The RFC 2231 mode (1) is not here: it cuts segments inside a
  // character, and Python, which decodes each segment on its own, cannot
  // read such a message at all.
  const char* modes[] = {"0", "2", "3"};
  for (const char* charset : kCharsetSettings) {
    settings.WriteGeneralString("Encode", "Encode", charset);
    for (const char* mode : modes) {
      SCOPED_TRACE(std::string("charset ") + charset + ", names " + mode);
      settings.WriteGeneralString("Encode", "Attach", mode);
      fs::remove_all(settings.AttachFolder());
      for (const auto& file : files) WriteFile(settings.AttachFolder() / U8(file.name), file.bytes);
      MessageDraft draft;
      draft.ToText = u"hanako@example.jp";
      draft.Subject = u"添付";
      // Names written raw (2, 3) or as encoded words inside quotes (0)
      // are what older Japanese programs read; Python calls them defects
      // of the field, so only the rules of the wire are checked.
      const bool raw = std::string(mode) == "3" || std::string(mode) == "2";
      const JsonValue checked = ComposeAndCheck(draft, raw);
      SCOPED_TRACE(text.substr(0, 4000));
      EXPECT_EQ(Listed(checked, "problems"), "");
      for (const char* policy : {"default", "compat32"}) {
        SCOPED_TRACE(policy);
        const JsonValue& attachments = checked[policy]["attachments"];
        ASSERT_EQ(attachments.array.size(), std::size(files));
        std::multiset<std::string> names, data;
        for (const JsonValue& each : attachments.array) {
          names.insert(U8(each["filename"].string));
          data.insert(U8(each["data"].string));
        }
        for (const auto& file : files) {
          // Encoded names are ISO-2022-JP whatever the charset of the text.
          if (mode == std::string("0")) {
            EXPECT_EQ(names.count(U8(file.jis)), 1u) << U8(file.name);
          }
          EXPECT_EQ(data.count(Base64Encode(file.bytes)), 1u) << U8(file.name);
        }
      }
    }
  }
}

}  // namespace
}  // namespace orvane::test
