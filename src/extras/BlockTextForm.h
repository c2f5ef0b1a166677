#pragma once

#include <array>

#include "extras/MacroUnit.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// What tells the signature dialog from the template dialog.
struct BlockTextKind {
  const char* section;  // of the account file
  const char16_t* caption;
  int helpTopic;
  TMacroMode macroMode;  // of the preview
};

// The controller shared by the signature and the template dialogs: one
// account's text block with its three date formats, the editor or in its
// place the preview, and the question when closing an edited text. Texts
// go in and out with CR LF line ends.
class TBlockTextForm {
 public:
  TBlockTextForm(const IniFileUnit& settings, const Clock& clock, Prompt& prompt,
                 AnsiString account, const BlockTextKind& kind);

  const BlockTextKind& Kind() const { return kind_; }

  // On showing: the stored text for the editor; the date formats are read
  // and the editor, not the preview, is shown.
  WideString Load();
  const std::array<WideString, 3>& DateFormats() const { return formats_; }

  // The preview button: shows the editor text with its macros expanded, or
  // the editor again.
  void TogglePreview(const WideString& editorText);
  bool PreviewShowing() const { return previewShowing_; }
  const WideString& PreviewText() const { return preview_; }
  // The preview button's hint: "プレビュー", or "編集モードへ" while the
  // preview shows.
  WideString PreviewHint() const;
  // Status panel 2: the preview's length in bytes as "%d byte", empty while
  // the editor shows.
  WideString PreviewSizeText() const;
  // Status panel 1: the caret's line and column, given from 0, as "%d : %d".
  static WideString CaretText(int line, int column);

  // A date format (0 to 2) asked for in an input box; stored at once when
  // confirmed, and a showing preview is made again. False when cancelled.
  bool AskDateFormat(int index, const WideString& editorText);

  // The close button: an edited text asks "更新されています。保存して閉じますか?"
  // (Yes saves and closes, No closes, Cancel stays). True when the dialog
  // may close.
  bool Close(bool modified, const WideString& editorText);
  // Erases the section and writes the date formats and the text's lines.
  void Save(const WideString& text) const;

 private:
  void Preview(const WideString& editorText);

  const IniFileUnit& settings_;
  const Clock& clock_;
  Prompt& prompt_;
  AnsiString account_;
  BlockTextKind kind_;
  std::array<WideString, 3> formats_;
  bool previewShowing_ = false;
  WideString preview_;
};

}  // namespace orvane
