#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/CheckWarnings.h"
#include "mime/ZelMime.h"
#include "platform/CodePage.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace orvane::test {

inline constexpr const char* kAccount = "home";

// A program folder, a draft and a body: what one evaluation of the rules
// reads. The draft starts as a complete, unremarkable message.
struct ChecksScene {
  ChecksScene() {
    draft.ToText = u"hanako@example.jp";
    draft.Subject = u"打ち合わせ";
    draft.AccountName = kAccount;
  }

  void On(TWarningRule rule) const { settings.Write(RuleInfo(rule).key, true); }
  void Option(const GeneralText& key, std::u16string_view value) const {
    settings.Write(key, WideToSjis(value));
  }
  void Option(const GeneralInteger& key, const char* value) const {
    settings.WriteGeneralString(key.section, key.key, value);
  }
  void AccountValue(const AccountText& key, const char* value) const {
    settings.Write(kAccount, key, value);
  }
  void Attach(const std::string& name, size_t size) const {
    WriteFile(home / "AttachFiles" / name, std::string(size, 'x'));
  }

  TZelMime& Compose() {
    mime.DefaultEncodeCharSet = charset;
    mime.SetFrom(u"Taro <taro@example.jp>");
    mime.SetTo(draft.ToText);
    mime.SetSubject(draft.Subject);
    mime.SetBodyText(body);
    mime.Compose();
    return mime;
  }

  // The attachments are the folder's plain files, as the main window has
  // them.
  std::vector<WideString> Lines() {
    draft.Attachments = settings.AttachFilePaths();
    return EvaluateWarnings(GatherWarningInputs(settings, draft, Compose()));
  }

  TempFolder home;
  IniFileUnit settings{home.Path()};
  FixedClock clock{JapanNoon()};
  TZelMime mime{clock, home.Path()};
  TWarningDraft draft;
  WideString body = u"本日の打ち合わせの件です。\r\n";
  TMimeCharSet charset = mcsISO_2022_JP;
};

// Lines as UTF-8, so that a failure shows them readably.
inline std::vector<std::string> U8(const std::vector<WideString>& lines) {
  std::vector<std::string> texts;
  for (const WideString& line : lines) texts.push_back(WideToUtf8(line));
  return texts;
}

}  // namespace orvane::test
