#include "mime/AttachStore.h"

namespace orvane {
namespace {

class TDiskAttachStore final : public TAttachStore {
 public:
  bool CreateFolder(const TAttachTarget& target) override { return CreateAttachFolder(target); }
  bool NameTaken(const TAttachTarget& target, const std::filesystem::path& name) override {
    return AttachNameTaken(target, name);
  }
  std::unique_ptr<TAttachSink> Create(const TAttachTarget& target,
                                      const std::filesystem::path& name) override {
    auto writer = std::make_unique<TAttachFileWriter>();
    if (!writer->Open(target, name)) return nullptr;
    return writer;
  }
  bool Read(const std::filesystem::path& file, AnsiString& bytes) override {
    return ReadFileNoFollow(file, bytes);
  }
  bool Rewrite(const std::filesystem::path& file, std::string_view bytes) override {
    return RewriteFileNoFollow(file, bytes);
  }
};

}  // namespace

TAttachStore& DiskAttachStore() {
  static TDiskAttachStore store;
  return store;
}

}  // namespace orvane
