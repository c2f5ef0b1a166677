#include <sysexits.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/forms/MainFormView.h"
#include "gui/Application.h"
#include "gui/DesktopShell.h"
#include "gui/MessagePrompt.h"
#include "gui/SystemClipboard.h"
#include "platform/CodePage.h"
#include "platform/DisplayPlatform.h"
#include "platform/Path.h"
#include "secrets/KeyringStore.h"
#include "settings/SettingKeys.h"

int main(int argc, char** argv) {
  using namespace orvane;
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "orvane: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                 "is set).\nStart it in a desktop session, or set QT_QPA_PLATFORM (for instance "
                 "QT_QPA_PLATFORM=offscreen).\n");
    return 1;
  }
  std::filesystem::path programFolder;
  try {
    programFolder = DefaultProgramFolder(kGeneralFileName);
  } catch (const NoProgramFolderError& e) {
    std::fprintf(stderr, "orvane: %s\n", WideToUtf8(e.Message()).c_str());
    return EX_CONFIG;
  }
  // Qt reads "-platform" from the arguments and takes it out again.
  std::vector<char*> qtArguments(argv, argv + argc);
  std::string option = "-platform", platform = ChooseQtPlatform(ReadDisplayEnvironment());
  if (!platform.empty())
    qtArguments.insert(qtArguments.begin() + 1, {option.data(), platform.data()});
  int qtArgc = static_cast<int>(qtArguments.size());
  qtArguments.push_back(nullptr);
  TOrvaneApplication application(qtArgc, qtArguments.data());
  // Someone is at the screen to unlock the keyring when it is asked.
  AllowKeyringPrompts(true);

  // Qt has taken its own options out of argv; the rest are the user's.
  Arguments arguments;
  for (int i = 0; i < qtArgc; ++i) arguments.push_back(Utf8ToWide(qtArguments[i]));

  DesktopShell shell;
  SystemClipboard clipboard;
  SystemClock clock;
  MessagePrompt prompt;
  TOrvaneMainForm form(MainFormServices{IniFileUnit(programFolder), clock,
                                        shell, clipboard, prompt, InstalledDataFolder()},
                       std::move(arguments));
  TOrvaneMainFormView window(form);
  window.Start();
  return application.exec();
}
