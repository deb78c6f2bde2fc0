#include "host/caption_channel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <cerrno>
#include <chrono>
#include <map>
#include <string>
#include <thread>

namespace host {

namespace {
constexpr int kConnectMs = 500;
// How long a process that lost the claim waits for the winner to listen.
constexpr int kClaimWaitMs = 10000;
constexpr int kClaimPollMs = 50;
const QByteArray kRaise = "raise\n";

// The lock files this process holds for windows it is about to open, by caption.
std::map<std::string, int>& pendingClaims() {
  static std::map<std::string, int> claims;
  return claims;
}

// A folder (not a link) of this user that nobody else can enter.
bool IsPrivateFolder(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         (st.st_mode & 077) == 0;
}

QByteArray LockPathOf(const QString& socketPath) { return QFile::encodeName(socketPath + QStringLiteral(".lock")); }

enum class Lock { Taken, Held, Unavailable };

// Takes the exclusive lock of the channel `socketPath` without waiting.
Lock TakeLock(const QString& socketPath, int& fd) {
  fd = ::open(LockPathOf(socketPath).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return Lock::Unavailable;
  int r = 0;
  do {
    r = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (r != 0 && errno == EINTR);
  if (r == 0) return Lock::Taken;
  const bool held = errno == EWOULDBLOCK;
  ::close(fd);
  fd = -1;
  return held ? Lock::Held : Lock::Unavailable;
}

enum class Answer { None, SameUser, OtherUser };

// Connects `s` to the channel and tells whose process answered.
Answer Connect(QLocalSocket& s, const QString& name) {
  if (name.isEmpty()) return Answer::None;
  s.connectToServer(name);
  if (!s.waitForConnected(kConnectMs)) return Answer::None;
  if (PeerUid(static_cast<int>(s.socketDescriptor())) == static_cast<long>(::geteuid())) return Answer::SameUser;
  s.abort();
  return Answer::OtherUser;
}

}  // namespace

long PeerUid(int socketFd) {
  ucred cred {};
  socklen_t len = sizeof cred;
  if (socketFd < 0 || ::getsockopt(socketFd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred)
    return -1;
  return static_cast<long>(cred.uid);
}

QString CaptionChannelFolder() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (runtime.startsWith('/') && IsPrivateFolder(runtime)) return QFile::decodeName(runtime);
  // A folder of the user's own in the temporary folder; one of that name that belongs to
  // somebody else, or is a link, is not used.
  QByteArray tmp = qgetenv("TMPDIR");
  if (!tmp.startsWith('/')) tmp = "/tmp";
  while (tmp.size() > 1 && tmp.endsWith('/')) tmp.chop(1);
  const QByteArray own = tmp + "/zorvane-" + QByteArray::number(static_cast<qulonglong>(::geteuid()));
  if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST) return {};
  struct stat st {};
  if (::lstat(own.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
    ::chmod(own.constData(), 0700);
  return IsPrivateFolder(own) ? QFile::decodeName(own) : QString();
}

QString CaptionChannelName(std::string_view caption) {
  const QString folder = CaptionChannelFolder();
  if (folder.isEmpty()) return {};
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray(caption.data(), static_cast<qsizetype>(caption.size())),
                               QCryptographicHash::Sha1)
          .toHex()
          .left(16);
  return folder + QStringLiteral("/zorvane-%1").arg(QString::fromLatin1(hash));
}

bool ClaimCaption(std::string_view caption) {
  const std::string key(caption);
  if (pendingClaims().count(key) != 0) return true;
  const QString name = CaptionChannelName(caption);
  // Without a private folder no window can be found: every start opens its own.
  if (name.isEmpty()) return true;
  for (int waited = 0;; waited += kClaimPollMs) {
    int fd = -1;
    switch (TakeLock(name, fd)) {
      case Lock::Taken:
        pendingClaims()[key] = fd;
        return true;
      case Lock::Unavailable:
        return true;
      case Lock::Held:
        break;
    }
    // Another process holds the caption; it answers once its window listens (or it ends, and
    // the lock is free again).
    QLocalSocket s;
    const Answer answer = Connect(s, name);
    s.abort();
    if (answer == Answer::SameUser) return false;
    if (answer == Answer::OtherUser) return true;
    if (waited >= kClaimWaitMs) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kClaimPollMs));
  }
}

void ReleaseCaptionClaims() {
  for (const auto& [caption, fd] : pendingClaims()) ::close(fd);
  pendingClaims().clear();
}

CaptionChannel::CaptionChannel(QWidget* window, std::string_view caption)
    : window_(window), server_(new QLocalServer(this)), name_(CaptionChannelName(caption)) {
  if (name_.isEmpty()) return;
  auto claim = pendingClaims().find(std::string(caption));
  if (claim != pendingClaims().end()) {
    lock_ = claim->second;
    pendingClaims().erase(claim);
  } else if (TakeLock(name_, lock_) != Lock::Taken) {
    // A window of this caption is open already and keeps its channel.
    return;
  }
  // Holding the lock, any socket at the name was left by a process that ended.
  QLocalServer::removeServer(name_);
  if (server_->listen(name_)) connect(server_, &QLocalServer::newConnection, this, &CaptionChannel::onConnection);
}

CaptionChannel::~CaptionChannel() {
  // Only the channel that holds the caption may take its socket away; the lock goes last.
  if (server_->isListening()) server_->close();
  if (lock_ >= 0) ::close(lock_);
}

bool CaptionChannel::listening() const { return server_->isListening(); }

void CaptionChannel::onConnection() {
  while (QLocalSocket* s = server_->nextPendingConnection()) {
    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    // Only a process of this user is obeyed.
    if (PeerUid(static_cast<int>(s->socketDescriptor())) != static_cast<long>(::geteuid())) {
      s->abort();
      s->deleteLater();
      continue;
    }
    connect(s, &QLocalSocket::readyRead, this, [this, s] {
      if (s->readAll().contains("raise") && window_) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
      }
    });
  }
}

bool IsWindowOpen(std::string_view caption) {
  QLocalSocket s;
  const bool open = Connect(s, CaptionChannelName(caption)) == Answer::SameUser;
  s.abort();
  return open;
}

bool BringWindowToFront(std::string_view caption) {
  QLocalSocket s;
  if (Connect(s, CaptionChannelName(caption)) != Answer::SameUser) return false;
  s.write(kRaise);
  s.waitForBytesWritten(kConnectMs);
  s.disconnectFromServer();
  return true;
}

}  // namespace host
