#include <cstring>
#include <memory>
#include <string>

#include "IconvPeer.h"
#include "Sections.h"
#include "Support.h"
#include "mime/CharSet.h"
#include "platform/CodePage.h"

namespace orvane::bench {
namespace {

std::string_view BytesOf(const WideString& text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

WideString WideOf(std::string_view utf16) {
  WideString text(utf16.size() / 2, u'\0');
  std::memcpy(text.data(), utf16.data(), text.size() * 2);
  return text;
}

// One glibc conversion used the way a caller would: opened once, a fresh
// output buffer of the worst-case size per run.
class IconvTask {
 public:
  IconvTask(const char* to, const char* from, std::string_view input, std::size_t capacity)
      : peer_(to, from), input_(input), capacity_(capacity) {}

  void Run() {
    out_ = std::make_unique_for_overwrite<char[]>(capacity_);
    size_ = peer_.Convert(input_, out_.get(), capacity_);
  }
  std::string_view Output() const { return {out_.get(), size_}; }

 private:
  IconvPeer peer_;
  std::string_view input_;
  std::size_t capacity_;
  std::unique_ptr<char[]> out_;
  std::size_t size_ = 0;
};

// Times ours against the iconv task, taking turns; returns {ours, iconv}.
std::vector<double> Race(const std::function<void()>& ours, IconvTask& iconv) {
  return MedianSecondsEach({ours, [&] { iconv.Run(); }});
}

}  // namespace

void BenchJapanese(const WideString& text, Report& report) {
  const std::string_view utf16 = BytesOf(text);

  AnsiString jis;
  IconvTask iconvToJis("ISO-2022-JP", "UTF-16LE", utf16, utf16.size() * 3 + 16);
  const std::vector<double> toJis = Race(
      [&] {
        TMimeCharSet charset = mcsISO_2022_JP;
        bool failed = false;
        jis = UnicodeToCharSet(text, charset, failed, false);
        Require(!failed && charset == mcsISO_2022_JP, "UnicodeToCharSet refused the text");
      },
      iconvToJis);

  AnsiString sjis;
  IconvTask iconvToSjis("CP932", "UTF-16LE", utf16, utf16.size() + 16);
  const std::vector<double> toSjis = Race([&] { sjis = WideToSjis(text); }, iconvToSjis);
  Require(sjis == iconvToSjis.Output(), "WideToSjis and iconv's CP932 give different bytes");

  // Both decoders read our bytes; each must give the text back.
  WideString fromJis;
  IconvTask iconvJisBack("UTF-16LE", "ISO-2022-JP", jis, jis.size() * 2 + 16);
  const std::vector<double> jisBack =
      Race([&] { fromJis = CharSetToUnicode("ISO-2022-JP", jis, jis); }, iconvJisBack);
  Require(fromJis == text, "CharSetToUnicode does not give back the text");
  Require(WideOf(iconvJisBack.Output()) == text, "iconv does not read our ISO-2022-JP as the text");

  WideString fromSjis;
  IconvTask iconvSjisBack("UTF-16LE", "CP932", sjis, sjis.size() * 2 + 16);
  const std::vector<double> sjisBack = Race([&] { fromSjis = SjisToWide(sjis); }, iconvSjisBack);
  Require(fromSjis == text, "SjisToWide does not give back the text");
  Require(WideOf(iconvSjisBack.Output()) == text, "iconv does not read our Shift_JIS as the text");

  // The two halves of our Unicode to ISO-2022-JP path, each on its own.
  AnsiString jisOfSjis;
  IconvTask iconvSjisToJis("ISO-2022-JP", "CP932", sjis, sjis.size() * 2 + 16);
  const std::vector<double> sjisToJis = Race(
      [&] {
        bool failed = false;
        jisOfSjis = SjisToJis(sjis, failed);
      },
      iconvSjisToJis);
  Require(jisOfSjis == jis, "SjisToJis differs from UnicodeToCharSet");
  Require(iconvSjisToJis.Output() == jis, "iconv writes other ISO-2022-JP from our Shift_JIS");

  AnsiString sjisOfJis;
  IconvTask iconvJisToSjis("CP932", "ISO-2022-JP", jis, jis.size() + 16);
  const std::vector<double> jisToSjis = Race([&] { sjisOfJis = JisToSjis(jis); }, iconvJisToSjis);
  Require(sjisOfJis == sjis, "JisToSjis does not give back the Shift_JIS");
  Require(iconvJisToSjis.Output() == sjis, "iconv reads our ISO-2022-JP as other Shift_JIS");

  report.AddTime("Unicode -> ISO-2022-JP (UnicodeToCharSet)", toJis[0],
                 "iconv UTF-16LE..ISO-2022-JP", toJis[1], 3);
  report.AddTime("Unicode -> Shift_JIS (WideToSjis)", toSjis[0], "iconv UTF-16LE..CP932",
                 toSjis[1]);
  report.AddTime("ISO-2022-JP -> Unicode (CharSetToUnicode)", jisBack[0],
                 "iconv ISO-2022-JP..UTF-16LE", jisBack[1], 1.5);
  report.AddTime("Shift_JIS -> Unicode (SjisToWide)", sjisBack[0], "iconv CP932..UTF-16LE",
                 sjisBack[1]);
  report.AddTime("Shift_JIS -> ISO-2022-JP (SjisToJis)", sjisToJis[0], "iconv CP932..ISO-2022-JP",
                 sjisToJis[1]);
  report.AddTime("ISO-2022-JP -> Shift_JIS (JisToSjis)", jisToSjis[0], "iconv ISO-2022-JP..CP932",
                 jisToSjis[1]);
  if (jis == iconvToJis.Output()) {
    report.AddNote("Our ISO-2022-JP bytes are identical to iconv's.");
  } else {
    const std::string_view theirs = iconvToJis.Output();
    Require(CharSetToUnicode("ISO-2022-JP", theirs, theirs) == text,
            "iconv's ISO-2022-JP does not read back as the text");
    report.AddNote("Our ISO-2022-JP bytes differ from iconv's; each side reads the other's.");
  }
}

}  // namespace orvane::bench
