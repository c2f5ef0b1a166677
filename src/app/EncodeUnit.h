#pragma once

#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The encoding dialog's choices: the list indexes that are stored, -1 for
// a list with nothing chosen.
struct EncodeChoice {
  int charset = 0;  // Encode/Encode
  int attach = 0;   // Encode/Attach
  bool operator==(const EncodeChoice&) const = default;
};

// The encoding dialog's controller ("エンコード設定").
class TEncodeForm {
 public:
  explicit TEncodeForm(const IniFileUnit& settings);

  static constexpr int kHelpTopic = 18;
  // "コードセット": US-ASCII, ISO-2022-JP, S-JIS, EUC-JP, UTF-7, UTF-8.
  static const std::vector<WideString>& CharsetItems();
  // "日本語添付ファイル名": the four ways to write a Japanese file name.
  static const std::vector<WideString>& AttachItems();
  // One line on when UTF-8 is the right choice.
  static const WideString& Utf8Note();

  // The stored indexes; one outside its list chooses nothing (-1).
  EncodeChoice Load() const;
  void Save(const EncodeChoice& choice) const;

 private:
  const IniFileUnit& settings_;
};

}  // namespace orvane
