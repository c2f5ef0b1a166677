#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "gui/HelpWindow.h"
#include "platform/Types.h"
#include "settings/SecurityChoice.h"

namespace orvane {

// The small pieces the account dialogs are made of.

// A one-line field on a grid row, with its label (whose mnemonic focuses
// the field); the field keeps the WideString `text` up to date.
QLineEdit* AddField(QGridLayout* grid, int row, const QString& label, const char* name,
                    WideString& text, const std::function<void()>& changed);

// Puts a port field and its "標準" button side by side in the field's
// cell: a port needs no more room than a few digits.
void PlacePortField(QGridLayout* grid, int row, QLineEdit* port, QPushButton* standard);

// The encryption choice "なし", "STARTTLS", "SSL/TLS" on a grid row, with
// its label; `chosen` hears what the user picks, not what Render shows.
QComboBox* AddSecurityChoice(QGridLayout* grid, int row, const QString& label, const char* name,
                             const std::function<void(TSecurity)>& chosen);

QCheckBox* MakeCheckBox(const QString& caption, const char* name, bool& value,
                        const std::function<void()>& changed, QWidget* parent);

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent);

// Shows a field's text when it differs from what it holds, so that the
// cursor stays where the user left it.
void ShowText(QLineEdit* field, const WideString& text);

// The dialogs' help button: opens the help book at `topic`.
QPushButton* MakeHelpButton(QWidget* dialog, HelpOpener help, int topic);

}  // namespace orvane
