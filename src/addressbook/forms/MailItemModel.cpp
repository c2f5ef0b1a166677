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

int MailItemModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int MailItemModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant MailItemModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(items_.size())) return {};
  const TMailItem& item = items_[static_cast<size_t>(index.row())];
  if (role == Qt::DecorationRole && index.column() == 0) {
    // A contact without an icon keeps its place, so that the names align.
    static const QIcon blank = [] {
      QPixmap empty(16, 16);
      empty.fill(Qt::transparent);
      return QIcon(empty);
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
