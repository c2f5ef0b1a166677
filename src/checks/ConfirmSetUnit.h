#pragma once

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The controller of the settings dialog "誤送信防止": sections Confirm and
// Block, read when the dialog opens and written back only by "OK".
class TConfirmSetForm {
 public:
  static constexpr int kHelpTopic = 31;
  static constexpr int kBccLeakLimitMax = 999;

  explicit TConfirmSetForm(const IniFileUnit& settings);

  bool enabled;
  WideString internalDomains;  // a comma list, as the user writes it
  bool subDomains;
  bool skipWhenInternal;
  int bccLeakLimit;  // 2 to kBccLeakLimitMax
  int delaySeconds;  // 0 to keys::kMaxDelaySeconds
  // 送信の禁止: comma lists, as the user writes them.
  WideString blockAddresses;
  WideString blockDomains;
  WideString blockWords;
  WideString blockExtensions;

  // "OK": writes every key in one write of the file. An entry of a domain
  // list that cannot be a domain, or any entry the settings file cannot
  // hold, throws Error naming it, and nothing is written; so does a failed
  // write (FileError).
  void Save() const;

 private:
  const IniFileUnit& settings_;
};

}  // namespace orvane
