// Opening a page or a mail link through the desktop's opener, whose end is watched by polling
// from the event loop: the program never waits for it, and an opener that outlives the program
// (one that runs the browser itself) is left running.
#include <QDesktopServices>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <string>
#include <vector>

#include "host/window_state.h"
#include "platform/message_box.h"
#include "runtime/link_schemes.h"

extern char** environ;

namespace host {

namespace {

constexpr int kPollMs = 100;

struct Opening {
  pid_t pid = 0;
  std::string address;
};

struct WebPageState {
  std::vector<std::string> opener;  // empty: xdg-open from PATH
  std::vector<Opening> running;     // openers not yet ended
  bool polling = false;
};

WebPageState& webPages() {
  static WebPageState s;
  return s;
}

void ReportUnreached(std::string_view address) {
  platform::ShowMessage("The Web Page could not be reached.\r\n\r\nURL:  " + std::string(address),
                        platform::kProductName, platform::MsgIcon::Information, platform::MsgButtons::Ok);
}

// Reaps the openers that have ended, reports the failed ones, and polls again while any runs.
void PollOpeners() {
  WebPageState& s = webPages();
  s.polling = false;
  std::vector<std::string> failed;
  for (auto it = s.running.begin(); it != s.running.end();) {
    int status = 0;
    const pid_t done = waitpid(it->pid, &status, WNOHANG);
    if (done == 0 || (done < 0 && errno == EINTR)) {
      ++it;
      continue;
    }
    // Ended with an error or by a signal (or no longer ours to watch: counted as ended well).
    if (done == it->pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) failed.push_back(it->address);
    it = s.running.erase(it);
  }
  if (!s.running.empty()) {
    s.polling = true;
    QTimer::singleShot(kPollMs, [] { PollOpeners(); });
  }
  for (const std::string& address : failed) ReportUnreached(address);
}

std::vector<std::string> OpenerCommand() {
  const WebPageState& s = webPages();
  if (!s.opener.empty()) return s.opener;
  const QString found = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (found.isEmpty()) return {};
  return {found.toStdString()};
}

}  // namespace

void SetDesktopOpener(std::vector<std::string> command) { webPages().opener = std::move(command); }

size_t WatchedWebPageOpeners() { return webPages().running.size(); }

void OpenWebPage(std::string_view address) {
  // Only web pages and mail links go to the desktop; anything else is not reached.
  if (!runtime::IsOutgoingLink(address)) {
    ReportUnreached(address);
    return;
  }
  std::vector<std::string> command = OpenerCommand();
  if (command.empty()) {
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
    if (!(url.isValid() && QDesktopServices::openUrl(url))) ReportUnreached(address);
    return;
  }
  // The address is one argument of its own; no shell sees it.
  command.emplace_back(address);
  std::vector<char*> argv;
  for (std::string& a : command) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
    ReportUnreached(address);
    return;
  }
  WebPageState& s = webPages();
  s.running.push_back({pid, std::string(address)});
  if (!s.polling) {
    s.polling = true;
    QTimer::singleShot(kPollMs, [] { PollOpeners(); });
  }
}

}  // namespace host
