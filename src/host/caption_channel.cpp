#include "host/caption_channel.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace host {

namespace {
constexpr int kConnectMs = 500;
const QByteArray kRaise = "raise\n";
}  // namespace

QString CaptionChannelName(std::string_view caption) {
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray(caption.data(), static_cast<qsizetype>(caption.size())),
                               QCryptographicHash::Sha1)
          .toHex()
          .left(16);
  return QStringLiteral("zorvane-%1-%2").arg(static_cast<qulonglong>(getuid())).arg(QString::fromLatin1(hash));
}

CaptionChannel::CaptionChannel(QWidget* window, std::string_view caption)
    : window_(window), server_(new QLocalServer(this)) {
  const QString name = CaptionChannelName(caption);
  // A window of this caption that is open already keeps its channel (listening would replace
  // its socket). A socket file left by a process that died answers nothing: it is removed.
  if (IsWindowOpen(caption)) return;
  QLocalServer::removeServer(name);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (server_->listen(name)) connect(server_, &QLocalServer::newConnection, this, &CaptionChannel::onConnection);
}

CaptionChannel::~CaptionChannel() {
  // Only the channel that listens may take its socket away.
  if (server_->isListening()) server_->close();
}

bool CaptionChannel::listening() const { return server_->isListening(); }

void CaptionChannel::onConnection() {
  while (QLocalSocket* s = server_->nextPendingConnection()) {
    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
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
  s.connectToServer(CaptionChannelName(caption));
  const bool open = s.waitForConnected(kConnectMs);
  s.abort();
  return open;
}

bool BringWindowToFront(std::string_view caption) {
  QLocalSocket s;
  s.connectToServer(CaptionChannelName(caption));
  if (!s.waitForConnected(kConnectMs)) return false;
  s.write(kRaise);
  s.waitForBytesWritten(kConnectMs);
  s.disconnectFromServer();
  return true;
}

}  // namespace host
