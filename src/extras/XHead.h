#pragma once

#include <optional>
#include <vector>

#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// A row of the extended header grid: "フィールド" and "値".
struct HeaderRow {
  WideString name;
  WideString value;
  bool operator==(const HeaderRow&) const = default;
};

// How closing went: closed, or kept open at a row that blocks it (-1 when
// the user chose to stay).
struct HeaderClose {
  bool closed = false;
  int row = -1;
};

// The extended header dialog's controller ("拡張ヘッダフィールド"): the
// account's XHeader lines as rows of name and value, and whether its
// messages ask for delivery status notifications (配送状況の通知).
class TXHForm {
 public:
  TXHForm(const IniFileUnit& settings, Prompt& prompt, AnsiString account);

  static constexpr int kHelpTopic = 17;
  // The four lines shown, under "諸注意", when no field is stored.
  static const WideString& Notice();

  // On showing: the stored lines split at their first "="; with none, the
  // notice is shown.
  std::vector<HeaderRow> Load();

  // 配送状況の通知: as loaded, then as the user sets it; stored with the rows.
  bool DeliveryNotice() const { return notice_; }
  void SetDeliveryNotice(bool on) { notice_ = on; }

  // Why a name cannot stand in a row, or nothing when it can: a name
  // another row has (in any case), or one that is no header field name
  // (printable ASCII without ":") or holds the "=" that separates it from
  // its value when stored.
  std::optional<WideString> RefuseName(const std::vector<HeaderRow>& rows, int row,
                                       const WideString& name) const;

  // The close button: the first row with a name and no value, or a value
  // and no name, is reported and keeps the dialog open; otherwise the rows
  // are stored, rows with neither left out.
  HeaderClose CloseButton(const std::vector<HeaderRow>& rows) const;
  // The window's close box: rows changed since showing ask whether to store
  // them (Yes as the close button, No closes, Cancel stays).
  HeaderClose CloseBox(const std::vector<HeaderRow>& rows) const;

 private:
  const IniFileUnit& settings_;
  Prompt& prompt_;
  AnsiString account_;
  std::vector<HeaderRow> loaded_;
  bool loadedNotice_ = false;
  bool notice_ = false;
};

}  // namespace orvane
