#include "transport/TCPThread.h"

#include <thread>
#include <utility>

#include "platform/CodePage.h"
#include "transport/LineTransport.h"
#include "transport/LocalError.h"
#include "transport/ReplyReader.h"
#include "transport/StreamedBody.h"

namespace orvane {

std::atomic<int> TTCPThread::liveWorkers_{0};

TTCPThread::TTCPThread(TTCPItem& item)
    : User(item.User),
      Password(item.Password),
      Security(item.Security),
      item_(&item),
      main_(item.list_->Component->Main()),
      tlsFingerprint_(item.TlsFingerprint),
      plainAuth_(item.PlainAuth),
      timeout_(EffectiveTimeout(item.list_->Component->Timeout())),
      pause_(item.list_->Component->Pause()) {
  connection_->SetHost(item.Host);
  connection_->SetPort(item.Port);
  item.thread_ = this;
}

void TTCPThread::AdoptConnection(std::unique_ptr<TConnection> connection) {
  connection_ = std::move(connection);
}

std::unique_ptr<TConnection> TTCPThread::ReleaseConnection() {
  auto fresh = std::make_unique<TConnection>();
  fresh->SetHost(connection_->Host());
  fresh->SetPort(connection_->Port());
  std::swap(fresh, connection_);
  return fresh;
}

void TTCPThread::Resume() {
  ++liveWorkers_;
  try {
    std::thread([this] { Run(); }).detach();
  } catch (...) {
    --liveWorkers_;
    item_->thread_ = nullptr;
    throw;
  }
}

void TTCPThread::Run() {
  try {
    Execute();
  } catch (...) {
    // Execute reports its own failures; nothing may escape the thread.
  }
  connection_->Close();
  main_.Invoke([this] { FreeItem(); });
  delete this;
  --liveWorkers_;
}

void TTCPThread::FreeItem() {
  delete item_;
  item_ = nullptr;
}

bool TTCPThread::Connect() {
  if (connection_->Connected()) return false;
  try {
    connection_->Open();
  } catch (const SocketError& error) {
    KeepLocalError(CannotConnectText(connection_->Host(), connection_->Port(), error.Reason()));
    throw;
  }
  return true;
}

void TTCPThread::Write(std::string_view bytes) {
  try {
    connection_->WriteAll(bytes, timeout_);
  } catch (const SocketError& error) {
    KeepLocalError(BrokenText(connection_->Host(), connection_->Port(), error.Reason()));
    throw;
  }
}

void TTCPThread::KeepLocalError(const WideString& text) {
  if (item_->localError_.empty()) item_->localError_ = text;
}

void TTCPThread::Disconnect() {
  ended_ = true;
  PauseBeforeClosing();
  connection_->Close();
}

bool TTCPThread::ResponseIs(std::string_view code) const {
  return ReplyHasCode(LastReply, code);
}

bool TTCPThread::SendCommand(const AnsiString& command, const AnsiString& argument) {
  AnsiString line = argument.empty() ? command : command + ' ' + argument;
  if (!IsSafeCommandLine(line)) return false;
  if (command == "QUIT" && std::exchange(quitSent_, true)) return false;
  DoCommandSent(command, argument);
  line += "\r\n";
  Write(line);
  return true;
}

bool TTCPThread::SendCommands(const std::vector<AnsiString>& lines) {
  if (!std::all_of(lines.begin(), lines.end(), IsSafeCommandLine)) return false;
  AnsiString batch;
  for (const AnsiString& line : lines) {
    DoCommandSent(line, "");
    batch += line + "\r\n";
  }
  Write(batch);
  return true;
}

bool TTCPThread::ReplyComplete(std::string_view received) const {
  return LineReplyComplete(received);
}

int TTCPThread::Receive() {
  // One deadline for the whole reply (RFC 5321 section 4.5.3.2 sets
  // limits per command, not per byte).
  const auto deadline = std::chrono::steady_clock::now() + timeout_;
  TReplyReader reader([this](std::string_view received) { return ReplyComplete(received); });
  if (!unread_.empty() && Gathered(reader, reader.Add(std::exchange(unread_, {}))))
    return static_cast<int>(LastReply.size());
  char buffer[kBufferSize];
  for (;;) {
    std::optional<std::size_t> read;
    try {
      read = connection_->Read(buffer, sizeof buffer, deadline);
    } catch (const SocketError& error) {
      KeepLocalError(BrokenText(connection_->Host(), connection_->Port(), error.Reason()));
      DoTimeout();
      Quit();
      throw;
    }
    if (!read) {
      KeepLocalError(NoReplyText(connection_->Host(), connection_->Port(), timeout_));
      DoTimeout();
      Quit();
      return -1;
    }
    if (*read == 0) {
      LastReply.clear();
      KeepLocalError(ClosedText(connection_->Host(), connection_->Port()));
      DoServerClosed();
      Quit();
      return 0;
    }
    if (Gathered(reader, reader.Add(std::string_view(buffer, *read))))
      return static_cast<int>(LastReply.size());
  }
}

bool TTCPThread::Gathered(TReplyReader& reader, TReplyReader::Status status) {
  switch (status) {
    case TReplyReader::kTooLong:
      KeepLocalError(TooLongText(connection_->Host(), connection_->Port()));
      throw ProtocolError("reply longer than the protocol allows");
    case TReplyReader::kComplete: {
      LastReply = reader.Take();
      const std::size_t length = FirstReplyLength(LastReply);
      unread_ = LastReply.substr(length);
      LastReply.resize(length);
      return true;
    }
    case TReplyReader::kMore:
      break;
  }
  return false;
}

bool TTCPThread::EstablishTls(bool afterReply) {
  try {
    std::optional<std::string_view> unread;
    // Whatever came after the reply came before TLS, from anyone.
    const AnsiString surplus = AnsiString(BeyondFirstReply(LastReply)) + unread_;
    if (afterReply) unread = surplus;
    connection_->StartTls(tlsFingerprint_, std::chrono::steady_clock::now() + timeout_, unread);
  } catch (const TlsError& e) {
    if (Terminated()) return false;
    KeepLocalError(e.Reason());
    if (!e.Fingerprint().empty())
      Notice(u"サーバの証明書の SHA-256 フィンガープリント: " + SjisToWide(e.Fingerprint()));
    return false;
  }
  Notice(u"TLS で暗号化しました (" + SjisToWide(connection_->TlsDescription()) + u")");
  return true;
}

TPlainAuthVerdict TTCPThread::PlainAuthVerdict() const {
  return DecidePlainAuth(plainAuth_, connection_->Secure(), connection_->PeerIsLoopback());
}

void TTCPThread::Notice(const WideString& text) {
  DoNotice(WideToSjis(text));
}

void TTCPThread::ReceiveReply() {
  Receive();
  if (ended_) throw DialogueOver{};
}

void TTCPThread::Quit() {
  if (ended_) return;
  ended_ = true;
  if (connection_->Connected()) {
    try {
      SendCommand("QUIT", "");
    } catch (const SocketError&) {
      // The dialogue ends all the same; the server has gone.
    }
  }
  DoQuit();
  PauseBeforeClosing();
}

void TTCPThread::PauseBeforeClosing() const {
  std::this_thread::sleep_for(pause_);
}

void TTCPThread::Synchronize(const std::function<void(TTCPComponent&)>& fn) {
  main_.Invoke([&] { item_->WithComponent(fn); });
}

bool TSendTCPThread::SendData() {
  // The wire form is produced a block at a time and written in chunks, so
  // that a large message is never held twice.
  constexpr std::size_t kBlockSize = 64 * kBufferSize;
  const bool reported = ReportsProgress();
  const std::size_t chunkSize = Secure() || !reported ? kTlsChunkSize : kBufferSize;
  sent_ = 0;
  try {
    StreamedBody body(Data, Rest, End);
    AnsiString block;
    std::size_t offset = 0;
    while (!Terminated()) {
      if (block.size() - offset < chunkSize && !body.AtEnd()) {
        block.erase(0, offset);
        offset = 0;
        body.Fill(block, kBlockSize);
      }
      if (offset == block.size()) break;
      std::string_view chunk = std::string_view(block).substr(offset, chunkSize);
      Write(chunk);
      offset += chunk.size();
      sent_ += static_cast<std::int64_t>(chunk.size());
      if (reported) DoDataSent();
    }
    return !Terminated();
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace orvane
