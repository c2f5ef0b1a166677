// Decoding of any message, in memory: the parts it saves go to a store of
// this target, never to the disk. Every view of every part is read, and
// the decoded tree is composed again.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "mime/ZelMime.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

namespace {

namespace fs = std::filesystem;

class MemorySink final : public orvane::TAttachSink {
 public:
  explicit MemorySink(orvane::AnsiString& file) : file_(file) {}
  bool Write(std::string_view bytes) override {
    file_ += bytes;
    return true;
  }
  bool Close() override { return true; }

 private:
  orvane::AnsiString& file_;
};

class MemoryStore final : public orvane::TAttachStore {
 public:
  bool CreateFolder(const orvane::TAttachTarget&) override { return true; }
  bool NameTaken(const orvane::TAttachTarget& target, const fs::path& name) override {
    return files_.contains(target.Folder() / name);
  }
  std::unique_ptr<orvane::TAttachSink> Create(const orvane::TAttachTarget& target,
                                              const fs::path& name) override {
    // A name from a message stays one file inside the folder.
    const std::string& s = name.native();
    if (s.empty() || s == "." || s == ".." || s.find('/') != std::string::npos) __builtin_trap();
    orvane::AnsiString& file = files_[target.Folder() / name];
    file.clear();
    return std::make_unique<MemorySink>(file);
  }
  bool Read(const fs::path& file, orvane::AnsiString& bytes) override {
    auto found = files_.find(file);
    if (found == files_.end()) return false;
    bytes = found->second;
    return true;
  }
  bool Rewrite(const fs::path& file, std::string_view bytes) override {
    auto found = files_.find(file);
    if (found == files_.end()) return false;
    found->second = bytes;
    return true;
  }

 private:
  std::map<fs::path, orvane::AnsiString> files_;
};

// Runs a step that reads the files the decoded parts name. A part may name
// a file its message announced but never held (an x-uuencode part without a
// complete block); that is a file error for the caller to show, any other
// exception is a fault.
template <typename F>
void ReadingFiles(F step) {
  try {
    step();
  } catch (const orvane::FileError&) {
  }
}

// Reads every view of a part, as the program's callers do; a part the
// decoding saved gets its content back from the store, so that composing
// finds it in memory.
void ReadPart(orvane::TZelMimePart& part, MemoryStore& store) {
  using namespace orvane;
  part.GetHeader();
  auto* message = dynamic_cast<TZelMessagePart*>(&part);
  if (!message) return;
  AnsiString saved;
  const bool inStore = !message->FileName.empty() && store.Read(message->FileName, saved);
  if (auto* text = dynamic_cast<TZelTextPart*>(&part)) {
    if (inStore) text->SetText(DecodeUserText(saved));
    ReadingFiles([&] { text->ReadText(); });
  } else if (auto* html = dynamic_cast<TZelHtmlPart*>(&part)) {
    if (inStore) {
      html->FileName.clear();
      html->Html = saved;
    }
    html->ReadSource();
  } else if (auto* partial = dynamic_cast<TZelPartialPart*>(&part)) {
    if (inStore) {
      partial->FileName.clear();
      partial->Data = saved;
    }
    partial->ReadContent();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvane;
  MemoryStore store;
  TZelMime mime(DefaultClock(), "/dev/null");
  // A folder that cannot exist: whatever is not in the store is not found.
  mime.AttachDir = "/dev/null/Attach";
  mime.AttachStore = &store;
  mime.OnDecodeWarning = [](TZelMime&, const WideString&) {};
  mime.SetMessageText(std::string(reinterpret_cast<const char*>(data), size));
  mime.Subject();
  mime.From();
  mime.Date();
  mime.Decode();
  FindPart(mime.RootPart(), [&](TZelMimePart& part) {
    ReadPart(part, store);
    return false;
  });
  mime.Attachments();
  mime.BodyText();
  // The decoded tree written again; the saved attachments, being in
  // memory, are left out.
  ReadingFiles([&] { mime.Compose(); });
  return 0;
}
