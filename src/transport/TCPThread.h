#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/MainThread.h"
#include "platform/Types.h"
#include "transport/Connection.h"
#include "transport/LineTransport.h"
#include "transport/MessageSource.h"
#include "transport/PlainAuth.h"
#include "transport/ReplyReader.h"
#include "transport/TCPComponent.h"

namespace orvane {

// The worker of one connection: runs the protocol's dialogue (Execute) on a
// thread of its own, with a blocking line transport, and hands every
// notification to the main thread. Frees itself when the dialogue has
// ended, after its item has been freed on the main thread.
class TTCPThread {
 public:
  TTCPThread(const TTCPThread&) = delete;
  TTCPThread& operator=(const TTCPThread&) = delete;

  // Asks the dialogue to end at the next point where it looks; a write
  // waiting for the server to take bytes ends at once.
  void Terminate() {
    terminated_ = true;
    connection_->Interrupt();
  }
  bool Terminated() const { return terminated_; }

  // How many workers exist in the process: the main thread must outlive
  // them, since each one ends with a hand-over to it.
  static int LiveWorkers() { return liveWorkers_.load(); }

 protected:
  // Runs on the main thread with the item's component lock held.
  explicit TTCPThread(TTCPItem& item);
  virtual ~TTCPThread() = default;

  // Starts the thread; the most derived constructor calls it last.
  void Resume();
  // The dialogue. Catches every error it raises.
  virtual void Execute() = 0;

  virtual TTCPItem& Item() const { return *item_; }
  // Opens the connection unless it is open already; false then. Raises
  // SocketError when the host does not resolve or does not accept.
  virtual bool Connect();
  // Pauses, then closes the connection without QUIT, ending the dialogue.
  virtual void Disconnect();
  // Whether LastReply carries `code` (see ReplyHasCode).
  virtual bool ResponseIs(std::string_view code) const;
  // Writes command and argument, joined by a blank, and CR LF. A line
  // that would carry CR, LF or NUL is not written, and neither is a second
  // QUIT on one connection; the result is then false. A write that finds
  // no room within the time-out, or that a terminate request ends while it
  // waits, raises SocketError.
  virtual bool SendCommand(const AnsiString& command, const AnsiString& argument);
  // Writes the lines, each ended by CR LF, in one write (RFC 2920), with
  // DoCommandSent for each. False, with nothing written, when one of them
  // would carry CR, LF or NUL. Raises SocketError as SendCommand does.
  bool SendCommands(const std::vector<AnsiString>& lines);
  // Reads one complete reply into LastReply and returns its length; 0 when
  // the server closed the connection (after DoServerClosed) and -1 on a
  // time-out, both after Quit. The time-out runs from the start of the call,
  // so a reply that trickles in cannot hold the dialogue longer.
  // A reply beyond kMaxReplyBytes or kMaxReplyLines raises ProtocolError.
  // What came after the reply (the next replies of a pipelined server) is
  // kept for the next call.
  virtual int Receive();
  // Ends the dialogue: QUIT while the connection is open (its reply is not
  // read), DoQuit, the pause. Runs once; later calls do nothing.
  virtual void Quit();
  virtual void DoTimeout() {}
  // Called by Receive when the server has closed the connection, before Quit.
  virtual void DoServerClosed() {}
  virtual void DoCommandSent(const AnsiString& /*command*/, const AnsiString& /*argument*/) {}
  virtual void DoQuit() {}
  virtual void DoDataSent() {}
  // A line of our own for the log (Shift_JIS): how the connection is
  // secured, why TLS failed, what became of the password.
  virtual void DoNotice(const AnsiString& /*text*/) {}
  // Whether the data read so far is a whole reply: here, whether it ends
  // with CR LF.
  virtual bool ReplyComplete(std::string_view received) const;
  // How much of a complete reply's data is the first reply: here, all of it.
  virtual std::size_t FirstReplyLength(std::string_view received) const { return received.size(); }

  // Hands the connection to TLS when the time-out has not passed first,
  // and notices how it is secured. False after keeping why not as the
  // local error, and noticing the fingerprint of a certificate refused
  // (nothing when a terminate request ended it); the connection is
  // abandoned then,
  // so Quit writes nothing more. With `afterReply`, LastReply answered the
  // request to start TLS and must hold nothing beyond that reply.
  bool EstablishTls(bool afterReply);
  bool Secure() const { return connection_->Secure(); }
  // Whether credentials may go out on this connection now.
  TPlainAuthVerdict PlainAuthVerdict() const;
  void Notice(const WideString& text);
  // Keeps the first local reason of a failure in the item.
  void KeepLocalError(const WideString& text);

  // The host as the item was given it.
  const AnsiString& ServerHost() const { return connection_->Host(); }
  // The size of the message; 0 when its rest is read as it goes out.
  std::int64_t DataLength() const { return Rest ? 0 : static_cast<std::int64_t>(Data.size()); }
  // On the main thread only: continues on a connection an earlier worker
  // left open (before Resume), or gives this one up to the next worker,
  // leaving an unopened one behind.
  void AdoptConnection(std::unique_ptr<TConnection> connection);
  std::unique_ptr<TConnection> ReleaseConnection();
  // Whether the connection can take another command now (TConnection::Idle),
  // with no reply of the server left unread.
  bool ConnectionIdle() const { return unread_.empty() && connection_->Idle(); }
  // Closes the connection without a word, so that Connect opens a new one.
  void CloseConnection() { connection_->Close(); }
  // Whether Quit or Disconnect has run: the dialogue is over.
  bool Ended() const { return ended_; }
  // Receive, leaving the dialogue by DialogueOver when it ended the dialogue.
  void ReceiveReply();
  // Waits the component's closing pause.
  void PauseBeforeClosing() const;
  // Runs fn with the component on the main thread while this thread waits;
  // nothing when the component is gone.
  void Synchronize(const std::function<void(TTCPComponent&)>& fn);

  // Thrown by ReceiveReply when the dialogue has ended inside Receive.
  struct DialogueOver {};

  const AnsiString User;
  const AnsiString Password;
  const TSecurity Security;
  AnsiString LastReply;
  // The message to transmit: a view of the item's copy, which lives until
  // the worker has ended.
  std::string_view Data;
  // What follows Data, read as it goes out; null when Data is the whole
  // message. The item owns it.
  MessageSource* Rest = nullptr;
  BodyEnd End = BodyEnd::Trimmed;

 private:
  void Run();
  void FreeItem();
  // Writes to the socket; a failure keeps its reason in the item.
  void Write(std::string_view bytes);
  // Takes a gathered reply into LastReply, keeping what follows it in
  // unread_; true when it is complete.
  bool Gathered(TReplyReader& reader, TReplyReader::Status status);

  static std::atomic<int> liveWorkers_;
  TTCPItem* item_;
  MainThread& main_;
  // Replaced only on the main thread, where Terminate runs.
  std::unique_ptr<TConnection> connection_ = std::make_unique<TConnection>();
  const AnsiString tlsFingerprint_;
  const TPlainAuthPolicy plainAuth_;
  std::chrono::milliseconds timeout_;
  std::chrono::milliseconds pause_;
  std::atomic<bool> terminated_{false};
  bool ended_ = false;
  bool quitSent_ = false;
  // Received beyond the last reply taken.
  AnsiString unread_;

  friend class TSendTCPThread;
};

// A worker that also transmits a message body.
class TSendTCPThread : public TTCPThread {
 protected:
  using TTCPThread::TTCPThread;

  // Writes Data and Rest as a message body (see StreamedBody) in chunks of
  // kBufferSize bytes, DoDataSent after each; in chunks of kTlsChunkSize
  // over TLS, and with no DoDataSent when the progress is not reported.
  // True when all of it was written and no terminate request came. A chunk
  // the server does not take within the time-out, one a terminate request
  // ends while it waits, or a rest that cannot be read ends the transfer
  // without the terminating line.
  bool SendData();
  // Whether anyone follows the body's progress: the kilobyte chunks are
  // there for the progress bar, and each costs a system call.
  virtual bool ReportsProgress() const { return true; }

  bool Success() const { return success_; }
  void SetSuccess(bool value) { success_ = value; }
  // Bytes of the body written so far, stuffed dots and terminator included.
  std::int64_t Sent() const { return sent_; }

 private:
  std::int64_t sent_ = 0;
  bool success_ = false;
};

}  // namespace orvane
