#include "addressbook/forms/ZyusyoForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/ErrorHandler.h"
#include "gui/MaskEdit.h"
#include "gui/QtText.h"

namespace orvane {
namespace {

QLineEdit* Line(QWidget* parent, const char* name, const WideString& text) {
  auto* line = new QLineEdit(ToQString(text), parent);
  line->setObjectName(QLatin1String(name));
  return line;
}

}  // namespace

TZyusyoFormView::TZyusyoFormView(QWidget* parent, TZyusyoForm& form, const BookServices& services)
    : SettingsDialog(parent, QStringLiteral("住所入力"), QStringLiteral("キャンセル"),
                     services.help, TZyusyoForm::kHelpTopic),
      form_(form) {
  setObjectName(QStringLiteral("ZyusyoForm"));

  postNum_ = new TMaskEdit(QStringLiteral("000\\-0000;0;_"), this);
  postNum_->setObjectName(QStringLiteral("_PostNum"));
  postNum_->SetValue(ToQString(form_.Address.PostNum));
  QLineEdit* address1 = Line(this, "_Address1", form_.Address.Address1);
  QLineEdit* address2 = Line(this, "_Address2", form_.Address.Address2);
  joined_ = Line(this, "_Joined", {});
  joined_->setReadOnly(true);
  joined_->setFocusPolicy(Qt::NoFocus);
  QLineEdit* station = Line(this, "_Station", form_.Address.Station);
  for (QLineEdit* line : {address1, address2, joined_, station})
    line->setMinimumWidth(line->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28);

  auto* grid = new QGridLayout;
  const struct {
    const char* caption;
    QWidget* field;
    const char* mapName;
    MapButton map;
  } rows[] = {
      {"郵便番号(&P)", postNum_, "BTN_MapPostNum", MapButton::kPostalCode},
      {"住所 1(&1)", address1, "BTN_MapAddress", MapButton::kAddress},
      {"住所 2(&2)", address2, nullptr, MapButton::kAddress},
      {"", joined_, nullptr, MapButton::kAddress},
      {"最寄り駅(&S)", station, "BTN_MapStation", MapButton::kStation},
  };
  int row = 0;
  for (const auto& r : rows) {
    auto* label = new QLabel(QString::fromUtf8(r.caption), this);
    label->setBuddy(r.field);
    grid->addWidget(label, row, 0);
    grid->addWidget(r.field, row, 1);
    if (r.mapName) {
      auto* map = new QPushButton(QStringLiteral("地図"), this);
      map->setObjectName(QLatin1String(r.mapName));
      map->setAutoDefault(false);
      map->setToolTip(QStringLiteral("地図を検索します"));
      const MapButton button = r.map;
      connect(map, &QPushButton::clicked, this, [this, services, button] {
        RunGuarded(services.prompt, [&] { form_.Search(button); });
      });
      grid->addWidget(map, row, 2);
    }
    ++row;
  }
  grid->setColumnStretch(1, 1);

  connect(postNum_, &QLineEdit::textChanged, this,
          [this] { form_.SetPostalCode(ToWide(postNum_->Value())); });
  connect(address1, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.Address.Address1 = ToWide(text);
    ShowJoined();
  });
  connect(address2, &QLineEdit::textEdited, this, [this](const QString& text) {
    form_.Address.Address2 = ToWide(text);
    ShowJoined();
  });
  connect(station, &QLineEdit::textEdited, this,
          [this](const QString& text) { form_.Address.Station = ToWide(text); });

  Body()->addLayout(grid);
  ShowJoined();
}

void TZyusyoFormView::ShowJoined() {
  joined_->setText(ToQString(form_.JoinedAddress()));
}

}  // namespace orvane
