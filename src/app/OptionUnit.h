#pragma once

#include <filesystem>
#include <vector>

#include "platform/Types.h"
#include "settings/IniFileUnit.h"

namespace orvane {

// The group "プロキシ": how the sign-in reaches the token endpoint.
struct ProxyValues {
  int mode = 1;         // Proxy/Mode: 0 direct, 1 from the environment, 2 manual
  WideString url;       // Url
  WideString user;      // User
  WideString password;  // Pass
  WideString noProxy;   // NoProxy
  bool operator==(const ProxyValues&) const = default;
};

// What the option dialog shows and writes: section Option, and section
// Proxy with its password.
struct OptionValues {
  bool fileSave = false;       // FileSave
  WideString path;             // PATH, the message files' folder
  int fileName = 0;            // FileName: 0 to 3, -1 for none chosen
  WideString extension;        // Extention
  bool alphaBlend = false;     // AlphaBlend
  int alphaBlendValue = 230;   // AlphaBlendValue, 0 to 255
  bool goBlend = false;        // GoBlend
  bool sendBeforExit = false;  // SendBeforExit, stored and shown only
  ProxyValues proxy = {};
  bool operator==(const OptionValues&) const = default;
};

// The option dialog's controller ("オプション").
class TOptionForm {
 public:
  explicit TOptionForm(const IniFileUnit& settings);

  static constexpr int kHelpTopic = 20;
  // The items of the naming rule's list, index 0 to 3.
  static const std::vector<WideString>& FileNameItems();
  // The text a folder chosen in the folder chooser puts in the path field:
  // the path with a separator at its end.
  static WideString ChosenFolderText(const std::filesystem::path& folder);
  // The proxy modes' items, index 0 to 2 as stored.
  static const std::vector<WideString>& ProxyModeItems();

  // Every key with its default; PATH defaults to the program folder, and a
  // FileName outside the list chooses nothing (-1).
  OptionValues Load() const;
  // Every key, in one write; with a proxy password the file is left 0600.
  // A folder, extension or proxy text that the settings file cannot hold
  // as typed, or a manual proxy whose address is not http://host:port,
  // throws Error saying what to mend, and nothing is written.
  void Save(const OptionValues& values) const;

 private:
  const IniFileUnit& settings_;
};

}  // namespace orvane
