// The outbox on disk: what a message leaves there, and what becomes of a
// message or record that was cut short or changed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "outbox/Outbox.h"
#include "outbox/OutboxRecordText.h"
#include "platform/FileSystem.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

namespace orvane::test {
namespace {
namespace fs = std::filesystem;

OutboxMessage Message() {
  return {"taro", "", {"a@example.jp", "b@example.jp"}, "To: a@example.jp\r\n\r\nbody\r\n"};
}

unsigned Mode(const fs::path& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return status.st_mode & 0777;
}

TEST(OutboxStore, AMessageWaitsPrivatelyUntilItIsDeliveredAndIsTakenByOneAtATime) {
  TempFolder home;
  const FixedClock clock(FromUtcDateTime(2026, 12, 10, 9, 0, 0));
  const Outbox outbox(home / "Outbox");
  const OutboxRecord added = outbox.Add(Message(), clock);
  EXPECT_EQ(Mode(outbox.Folder()), 0700u);
  for (const DirEntry& entry : ListDirectory(outbox.Folder())) {
    EXPECT_FALSE(entry.isHidden) << entry.name;  // no temporary file is left
    EXPECT_EQ(Mode(entry.path), 0600u) << entry.name;
  }
  ASSERT_EQ(outbox.List().size(), 1u);
  EXPECT_EQ(outbox.List()[0].recipients, Message().recipients);

  std::optional<OutboxLease> lease = outbox.Take(added.id);
  ASSERT_TRUE(lease);
  EXPECT_EQ(lease->Text(), Message().text);
  EXPECT_FALSE(outbox.Take(added.id)) << "a second taker while the first holds it";
  EXPECT_FALSE(outbox.Remove(added.id));
  lease->Retry(u"451 try later", clock.Now());
  lease.reset();

  lease = outbox.Take(added.id);
  ASSERT_TRUE(lease);
  EXPECT_EQ(lease->Record().attempts, 1);
  EXPECT_EQ(lease->Record().nextAttempt, clock.Now() + std::chrono::minutes(1));
  lease->Delivered();
  lease.reset();
  EXPECT_EQ(outbox.Count(), 0u);
  EXPECT_FALSE(outbox.Take(added.id));
}

// Each row damages a queued message as a crash or a person might; none of
// them is ever handed out to be sent.
TEST(OutboxStore, WhatIsDamagedOrAlreadyDeliveredIsNeverSent) {
  struct Row {
    const char* name;
    void (*damage)(const fs::path& message, const fs::path& record);
    const char16_t* failure;  // told in failed/; none: removed without a word
  } rows[] = {
      {"message cut short",
       [](const fs::path& message, const fs::path&) { fs::resize_file(message, 10); },
       u"メールのファイルが壊れているので送信しません"},
      {"message changed",
       [](const fs::path& message, const fs::path&) { WriteFile(message, "To: x@example.jp\r\n"); },
       u"メールのファイルが壊れているので送信しません"},
      {"message gone", [](const fs::path& message, const fs::path&) { fs::remove(message); },
       u"メールのファイルがありません"},
      {"record cut short",
       [](const fs::path&, const fs::path& record) {
         fs::resize_file(record, fs::file_size(record) / 2);
       },
       u"送信待ちの記録が壊れているので送信しません"},
      {"delivered, then a crash before the removal",
       [](const fs::path&, const fs::path& record) {
         std::string text = ReadFile(record);
         text.replace(text.find("Delivered=0"), 11, "Delivered=1");
         WriteFile(record, text);
       },
       nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder home;
    const Outbox outbox(home / "Outbox");
    const OutboxRecord added = outbox.Add(Message(), FixedClock());
    row.damage(outbox.Folder() / (added.id + ".eml"), outbox.Folder() / (added.id + ".rec"));
    EXPECT_FALSE(outbox.Take(added.id));
    EXPECT_TRUE(outbox.List().empty());
    const std::vector<OutboxRecord> failed = outbox.Failed();
    if (!row.failure) {
      EXPECT_TRUE(failed.empty());
      EXPECT_TRUE(ListDirectory(outbox.Folder()).empty());
      continue;
    }
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].failure, row.failure);
    EXPECT_FALSE(failed[0].told);
    outbox.MarkTold(added.id);
    EXPECT_TRUE(outbox.Failed()[0].told);
  }
}

TEST(OutboxStore, TheWindowsDraftAndTheNotificationsAreKeptAndAnOlderRecordReadsWithoutThem) {
  TempFolder home;
  const Outbox outbox(home / "Outbox");
  OutboxMessage own = Message();
  own.draft = OutboxDraft{u"花子 <a@example.jp>", u"b@example.jp", u"秘密 <c@example.jp>",
                          u"件名\r\n二行目", "/home/taro/本文 1.txt"};
  own.dsn = {"SUCCESS,DELAY", "HDRS", "batch 7"};
  const std::string id = outbox.Add(own, FixedClock()).id;
  outbox.Add(Message(), FixedClock());
  const std::vector<OutboxRecord> listed = outbox.List();
  ASSERT_EQ(listed.size(), 2u);
  ASSERT_TRUE(listed[0].id == id ? listed[0].draft : listed[1].draft);
  const OutboxDraft kept = *(listed[0].id == id ? listed[0].draft : listed[1].draft);
  EXPECT_EQ(kept.to, own.draft->to);
  EXPECT_EQ(kept.bcc, own.draft->bcc);
  // A record is one line a field: the subject's line break becomes a blank.
  EXPECT_EQ(kept.subject, u"件名  二行目");
  EXPECT_EQ(kept.bodyFile, fs::path("/home/taro/本文 1.txt"));
  EXPECT_EQ((listed[0].id == id ? listed[0] : listed[1]).dsn, own.dsn);
  EXPECT_FALSE((listed[0].id == id ? listed[1] : listed[0]).draft);

  const std::string older =
      "Account=taro\nMailFrom=\nRcpt=a@example.jp\nCreated=1\nNotBefore=1\nNextAttempt=1\n"
      "Attempts=0\nLastReply=\nBodyAsGiven=0\nDelivered=0\nSize=3\nChecksum=ab\nEnd=1\n";
  const std::optional<OutboxRecord> parsed = ParseOutboxRecord(older);
  ASSERT_TRUE(parsed);
  EXPECT_FALSE(parsed->draft);
}

TEST(OutboxStore, RetryPausesGrowFromAMinuteToAnHour) {
  const std::pair<int, int> pauses[] = {{1, 1}, {2, 2}, {3, 4}, {6, 32}, {7, 60}, {40, 60}};
  for (const auto& [attempts, minutes] : pauses)
    EXPECT_EQ(RetryPause(attempts), std::chrono::minutes(minutes)) << attempts;
}

}  // namespace
}  // namespace orvane::test
