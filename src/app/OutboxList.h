#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/MessageDraft.h"
#include "app/SendSequence.h"
#include "outbox/Outbox.h"
#include "platform/Prompt.h"

namespace orvane {

// One line of the list: the columns 宛先, 件名, 作成日時, 試行, 次の送信
// and 最後の応答, as shown.
struct OutboxListRow {
  std::string id;
  WideString recipients;
  WideString subject;
  WideString created;
  WideString attempts;
  WideString next;
  WideString lastReply;
  bool hasDraft = false;  // 下書きに戻す can take it back
};

// The list window 送信待ち: the waiting messages, oldest first, and what
// the user does with one of them. Each action reads the outbox anew
// afterwards; a row index outside the list does nothing.
class OutboxList {
 public:
  OutboxList(SendSequenceServices services, Prompt& prompt);

  const std::vector<OutboxListRow>& Rows() const { return rows_; }
  void Refresh();

  // 今すぐ送信: the message alone, whatever its times say, through the
  // send window, under its lock: one that a flush holds now is left to it
  // and the user is told.
  void SendNow(std::size_t row, SendWindow& window);
  // 削除: asks first; a message held by a flush is not removed.
  void Delete(std::size_t row);
  // 下書きに戻す: removes the message and returns its draft for the main
  // window; none when it has no draft, the user is told why it could not
  // be removed, or it is gone.
  std::optional<OutboxDraft> TakeBack(std::size_t row);

 private:
  const OutboxListRow* Row(std::size_t row) const;

  SendSequenceServices services_;
  Prompt& prompt_;
  std::vector<OutboxListRow> rows_;
};

// The draft taken back into the window's draft: recipients, subject and
// body file; the rest of the draft stays as it is.
void RestoreDraft(const OutboxDraft& saved, MessageDraft& draft);

}  // namespace orvane
