// orvane-send: sends one message with an account of Orvane, without a
// window, for scripts, cron and mail programs that call sendmail.

#include <cstdio>

#include "app/VersionUnit.h"
#include "platform/CodePage.h"
#include "platform/Path.h"
#include "tools/send/Delivery.h"
#include "tools/send/OutboxCommand.h"
#include "tools/send/Output.h"
#include "tools/send/SignInCommand.h"

namespace orvane {
namespace {

int Finish(const Ending& ending, bool english) {
  if (!ending.japanese.empty()) PrintError(ending.japanese);
  if (english && !ending.english.empty()) PrintError(ending.english);
  return ending.status;
}

int Run(int argc, char** argv) {
  Arguments arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(Utf8ToWide(argv[i]));
  bool english = WantsEnglish();
  try {
    const SendCommand command = ParseSendCommand(arguments);
    if (command.english) english = *command.english;
    if (command.version) {
      std::printf("orvane-send %s\n", WideToUtf8(kVersionText).c_str());
      return EX_OK;
    }
    if (command.help) {
      std::fputs(UsageText(), stdout);
      return EX_OK;
    }
    const IniFileUnit settings(DefaultProgramFolder(kGeneralFileName));
    if (const auto notice = OpenFolderNotice(settings.ProgramFolder()))
      Finish({EX_OK, *notice, "the settings folder is open to other users: chmod 700 it"}, english);
    if (command.signIn)
      return Finish(SignInAccount(settings, ChooseAccount(settings, *command.signIn)), english);
    if (command.action == SendAction::List) return Finish(ListOutbox(settings, english), english);
    if (command.action != SendAction::Send)
      return Finish(FlushCommand(command, settings, english), english);
    const AnsiString account = ChooseAccount(settings, command.account);
    return Finish(Deliver(command, arguments, settings, account, english), english);
  } catch (const EndingError& e) {
    return Finish(e.Get(), english);
  } catch (const NoProgramFolderError& e) {
    return Finish({EX_CONFIG, e.Message(), "no folder for the settings: set ORVANE_HOME"}, english);
  }
}

}  // namespace
}  // namespace orvane

int main(int argc, char** argv) {
  return orvane::Run(argc, argv);
}
