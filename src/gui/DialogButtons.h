#pragma once

#include <QDialog>
#include <functional>

class QDialogButtonBox;

namespace orvane {

// The buttons at the foot of a dialog: "OK" (BTN_OK), "キャンセル"
// (BTN_Cancel) and, when help is given, "ヘルプ" (BTN_Help). OK accepts the
// dialog, or runs onOk instead when it is given; キャンセル rejects it.
QDialogButtonBox* DialogButtons(QDialog* dialog, const std::function<void()>& help = {},
                                const std::function<void()>& onOk = {});

}  // namespace orvane
