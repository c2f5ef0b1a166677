#include "ComposeDraft.h"

#include <string>

#include "Support.h"
#include "platform/CodePage.h"
#include "settings/IniFileUnit.h"

namespace orvane::bench {

void MakeProgramFolder(const std::filesystem::path& folder) {
  const IniFileUnit settings(folder);
  settings.Write(kAccount, keys::kName, WideToSjis(u"山田 太郎"));
  settings.Write(kAccount, keys::kAddress, "taro@example.jp");
  settings.WriteAccountBlock(kAccount, keys::kSignatureSection,
                             WideToSjis(u"--\r\n山田 太郎\r\ntaro@example.jp\r\n"));
  settings.WriteAccountBlock(kAccount, keys::kXHeaderSection, WideToSjis(u"X-Section=営業部\r\n"));
  std::string body;
  for (int i = 0; i < 50; ++i) body += "お世話になっております。資料を添付いたします。\n";
  WriteFile(folder / "body.txt", body);
  for (int i = 0; i < kAttachmentCount; ++i)
    WriteFile(settings.AttachFolder() / ("資料" + std::to_string(i) + ".bin"),
              AttachmentBytes(kAttachmentBytes, 1000 + i));
}

MessageDraft Draft(const std::filesystem::path& folder) {
  MessageDraft draft;
  draft.BodyFileName = folder / "body.txt";
  draft.ToText = u"\"鈴木, 花子\" <hanako@example.jp>";
  draft.CcText = u"sato@example.jp";
  draft.Subject = u"資料送付の件";
  draft.Priority = PriorityItem::High;
  draft.Disposition = true;
  return draft;
}

}  // namespace orvane::bench
