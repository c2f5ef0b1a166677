#pragma once

#include "app/OptionUnit.h"
#include "gui/SettingsDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSlider;

namespace orvane {

// "オプション": message files (written after encoding, their folder, name
// and extension), translucency while inactive, the proxy of the sign-in,
// and ending after sending.
class TOptionFormView : public SettingsDialog {
 public:
  explicit TOptionFormView(const DialogContext& context);

 protected:
  void Save() override;

 private:
  void ChooseFolder();
  void FollowBlend();
  void FollowProxyMode();
  void AddProxyGroup();

  TOptionForm form_;
  QCheckBox* fileSave_;
  QLineEdit* path_;
  QComboBox* fileName_;
  QLineEdit* extension_;
  QCheckBox* alphaBlend_;
  QSlider* alphaBlendValue_;
  QCheckBox* goBlend_;
  QCheckBox* sendBeforExit_;
  QComboBox* proxyMode_;
  QLineEdit* proxyUrl_;
  QLineEdit* proxyUser_;
  QLineEdit* proxyPass_;
  QLineEdit* noProxy_;
};

}  // namespace orvane
