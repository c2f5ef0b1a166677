#pragma once

#include <array>
#include <vector>

#include "addressbook/SendItem.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// A window's place and size in pixels.
struct WindowGeometry {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const WindowGeometry&) const = default;
};

// The send list window "送信先のリスト": a grid of the recipients chosen in
// the picker, row 0 its fixed header and row r the entry r - 1, with the
// kind (a choice of "To:", "Cc:", "Bcc:"), the name and the address, all
// editable; the status bar counts the entries of each kind.
class TSendListForm {
 public:
  static constexpr int kColumnCount = 3;
  static constexpr std::array<int, kColumnCount> kColumnWidths = {50, 150, 150};
  static constexpr std::array<const char16_t*, kColumnCount> kHeaders = {u"適用:", u"名前:",
                                                                         u"アドレス:"};
  static constexpr std::array<const char16_t*, 3> kKinds = {u"To:", u"Cc:", u"Bcc:"};
  // The status bar's first panel is the window's width less this.
  static constexpr int kCountPanelsWidth = 190;

  explicit TSendListForm(std::vector<TSendItem>& list) : list_(list) {}

  // RefreshSendList: the rows and the counts from the list.
  void Refresh();

  // The entries and the header row, at least one empty row below it.
  int RowCount() const { return rowCount_; }
  WideString Cell(int row, int column) const;
  // Panels 1 to 3: "To: %d 件", "Cc: %d 件", "Bcc: %d 件" as at the last
  // Refresh.
  const WideString& Panel(int panel) const { return panels_.at(static_cast<size_t>(panel)); }

  // Column 0's choice (0 To, 1 Cc, 2 Bcc) and the edits of columns 1 and 2,
  // written at once into the row's entry; a row without one changes
  // nothing.
  void KindPicked(int row, int kind);
  void NameEdited(int row, const WideString& text);
  void AddressEdited(int row, const WideString& text);

  // The window's place from section SendList; Top and Left default to the
  // bottom-right corner of a screen of that size.
  static WindowGeometry ReadGeometry(const IniFileUnit& settings, int screenWidth,
                                     int screenHeight);
  static void WriteGeometry(const IniFileUnit& settings, const WindowGeometry& geometry);

 private:
  TSendItem* Entry(int row);

  std::vector<TSendItem>& list_;
  int rowCount_ = 2;
  std::array<WideString, 4> panels_;
};

}  // namespace orvane
