#pragma once

#include <QAbstractTableModel>
#include <QSize>
#include <vector>

#include "addressbook/MailItem.h"

namespace orvane {

// The contact list drawn on demand from the window's items: columns
// "名前", "ふりがな", "アドレス", the list icon in the first. The items
// stay the window's; Reset tells the views that they changed.
class MailItemModel : public QAbstractTableModel {
 public:
  static constexpr const char* kRowsMimeType = "application/x-orvane-contact-rows";

  MailItemModel(const std::vector<TMailItem>& items, QObject* parent);

  void Reset();
  // Contacts can be dragged from the list (onto the groups of the tree).
  void SetDragEnabled(bool enabled) { dragEnabled_ = enabled; }
  // The size of every item in the icon and list views, so that none is
  // measured on its own; an invalid size for the details view.
  void SetItemSize(const QSize& size);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

 private:
  const std::vector<TMailItem>& items_;
  bool dragEnabled_ = false;
  QSize itemSize_;
};

}  // namespace orvane
