#include "AddressSamples.h"

#include <cstdio>
#include <string>

#include "Support.h"
#include "platform/CodePage.h"

namespace orvane::bench {

std::vector<ContactRecord> SampleContacts(size_t count) {
  const std::u16string families[] = {u"田中", u"佐藤", u"鈴木", u"高橋", u"伊藤", u"渡辺"};
  const std::u16string readings[] = {u"たなか",   u"さとう", u"すずき",
                                     u"たかはし", u"いとう", u"わたなべ"};
  std::vector<ContactRecord> contacts(count);
  for (size_t i = 0; i < count; ++i) {
    ContactRecord& c = contacts[i];
    std::u16string number = Utf8ToWide(std::to_string(i));
    c.Name = families[i % 6] + u" 太郎" + number;
    c.Kana = readings[i % 6] + u"　たろう";
    c.Address = u"user" + number + u"@example.jp";
    c.Mark = static_cast<int>(i % 11);
    c.Birth = u"1980/03/01";
    c.Home = {u"1500002", u"東京都渋谷区渋谷1-2-3", u"渋谷ハイツ" + number, u"渋谷"};
    c.Company = u"オルヴェイン商事";
    c.Phones[0] = u"(   03)-1234-5678";
    c.Phones[2] = u" 090-1234-5678";
    c.Memo = u"メモ " + number;
  }
  return contacts;
}

void MeasureAgainstLimit(const char* task, int runs, double limitMs,
                         const std::function<void()>& run) {
  const double cpu = CpuSeconds();
  const double wallMs = MedianSeconds(run, runs) * 1e3;
  const double cpuMs = (CpuSeconds() - cpu) * 1e3 / runs;
  std::printf("  %-46s %9.2f ms  (CPU %8.2f ms, limit %5.0f ms)%s\n", task, wallMs, cpuMs, limitMs,
              wallMs <= limitMs ? "" : "  OVER");
}

}  // namespace orvane::bench
