#pragma once

#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The toolbar dialog's controller ("ツールバーの設定"): a list of toolbar
// codes and whether it differs from the default toolbar's settings (the
// dialog then writes the list; otherwise it leaves no ToolBar section).
class TToolBarCustmForm {
 public:
  explicit TToolBarCustmForm(const IniFileUnit& settings);

  static constexpr int kHelpTopic = 23;
  // The 22 available items; an item's position is its toolbar code.
  static const std::vector<WideString>& ItemNames();
  // The name shown for a code: the item's, or the number of a code that
  // names no item.
  static WideString NameOf(int code);

  // The toolbar the main window shows: a stored list counts as modified,
  // the default toolbar (no ItemCount, or -1) does not.
  void Load();
  const std::vector<int>& Codes() const { return codes_; }
  bool Modified() const { return modified_; }
  bool Flat() const { return flat_; }
  void SetFlat(bool flat) { flat_ = flat; }

  // The row changes below return the row selected afterwards, -1 for none.
  // "追加": appends the code.
  int Add(int code);
  // "削除": removes the row; the row now in its place stays selected.
  int Delete(int row);
  // "上へ", "下へ": the row moves one place and stays selected; nothing
  // happens at the first or the last row.
  int MoveUp(int row);
  int MoveDown(int row);
  // "初期化": the default toolbar, not modified.
  void Reset();

  // OK: erases section ToolBar, writes the list when modified, and always
  // ToolBarOpt/Flat, in one write.
  void Save() const;

 private:
  const IniFileUnit& settings_;
  std::vector<int> codes_;
  bool modified_ = false;
  bool flat_ = false;
};

}  // namespace orvane
