#pragma once

#include "addressbook/EditAdrUnit.h"
#include "addressbook/forms/BookServices.h"
#include "gui/SettingsDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace orvane {

class PrstKanaFilter;
class TLongDateEdit;

// The contact editor "アドレス" on screen: basic, personal and company data,
// the memo and the picture, with the postal address and telephone dialogs
// behind their buttons. Every change goes into the controller at once; OK
// and 保存して終了 save, キャンセル and 保存せず終了 do not; ヘルプ opens topic 22.
class TEditAdrFormView : public SettingsDialog {
 public:
  // A picture file that exists but is no picture throws Error: the window
  // does not open.
  TEditAdrFormView(QWidget* parent, TEditAdrForm& form, const BookServices& services);

 protected:
  // OK and 保存して終了: the contact is written; a failure is shown and the
  // window stays open.
  void Save() override;

 private:
  QWidget* BuildBasic();
  QWidget* BuildPersonal();
  QWidget* BuildCompany();
  QWidget* BuildMemo();
  QWidget* BuildPicture();
  void BuildMenus();
  void ShowValues();
  void ShowPicture();
  void ShowButtons();
  void EditAddress(PostalAddress& address);
  void EditPhones(std::array<WideString, 5>& phones);
  void ChoosePicture();

  TEditAdrForm& form_;
  BookServices services_;
  QLineEdit* name_ = nullptr;
  // The reading of the name as it is typed, shown in ふりがな.
  PrstKanaFilter* reading_ = nullptr;
  QLineEdit* kana_ = nullptr;
  QLineEdit* address_ = nullptr;
  QComboBox* icon_ = nullptr;
  QPushButton* homeAddress_ = nullptr;
  TLongDateEdit* birthday_ = nullptr;
  QLabel* age_ = nullptr;
  QLineEdit* webSite_ = nullptr;
  QComboBox* sex_ = nullptr;
  QPushButton* homePhone_ = nullptr;
  QLineEdit* company_ = nullptr;
  QLineEdit* busyo_ = nullptr;
  QLineEdit* yaku_ = nullptr;
  QPushButton* officeAddress_ = nullptr;
  QPushButton* officePhone_ = nullptr;
  QLineEdit* companySite_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QLabel* picture_ = nullptr;
  QAction* clearPicture_ = nullptr;
};

}  // namespace orvane
