#include "addressbook/forms/MailItemModel.h"

#include <QMimeData>
#include <QPixmap>

#include "addressbook/forms/ContactIcons.h"
#include "gui/QtText.h"

namespace orvane {

MailItemModel::MailItemModel(const std::vector<TMailItem>& items, QObject* parent)
    : QAbstractTableModel(parent), items_(items) {}

void MailItemModel::Reset() {
  beginResetModel();
  endResetModel();
}

void MailItemModel::SetItemSize(const QSize& size) {
  if (size == itemSize_) return;
  // A new layout, not new rows: the selection stays.
  emit layoutAboutToBeChanged();
  itemSize_ = size;
  emit layoutChanged();
}

int MailItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int MailItemModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant MailItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(items_.size())) return {};
  const TMailItem& item = items_[static_cast<size_t>(index.row())];
  if (role == Qt::SizeHintRole)
    return index.column() == 0 && itemSize_.isValid() ? itemSize_ : QVariant();
  if (role == Qt::DecorationRole && index.column() == 0) {
    // A contact without an icon keeps its place, so that the names align.
    static const QIcon blank = [] {
      QIcon icon;
      for (int size : {16, 32}) {
        QPixmap empty(size, size);
        empty.fill(Qt::transparent);
        icon.addPixmap(empty);
      }
      return icon;
    }();
    const QIcon icon = ContactIcon(item.Mark);
    return icon.isNull() ? blank : icon;
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  switch (index.column()) {
    case 0:
      return ToQString(item.Name);
    case 1:
      return ToQString(item.Kana);
    default:
      return ToQString(item.Address);
  }
}

QVariant MailItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const QString kHeaders[] = {QStringLiteral("名前"), QStringLiteral("ふりがな"),
                                     QStringLiteral("アドレス")};
  return section >= 0 && section < 3 ? kHeaders[section] : QVariant();
}

Qt::ItemFlags MailItemModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (dragEnabled_ && index.isValid()) flags |= Qt::ItemIsDragEnabled;
  return flags;
}

QStringList MailItemModel::mimeTypes() const {
  return {QLatin1String(kRowsMimeType)};
}

QMimeData* MailItemModel::mimeData(const QModelIndexList& indexes) const {
  // The drop acts on the list's selection; the rows only mark the drag as
  // one of contacts.
  QByteArray rows;
  for (const QModelIndex& index : indexes)
    if (index.column() == 0) rows += QByteArray::number(index.row()) + ' ';
  auto* data = new QMimeData;
  data->setData(QLatin1String(kRowsMimeType), rows);
  return data;
}

}  // namespace orvane
