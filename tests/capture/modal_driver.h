// Drives a modal window from inside its own modal loop: the test arms it, then calls the code
// that shows the window.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace testsupport {

// Runs `drive` once on the first modal window of class W that shows. `drive` must close the
// window (or leave it to be closed), else the modal loop does not end. The watch ends by itself
// once it has run; a test that expects no such window deletes it through the result.
template <class W>
QPointer<QTimer> WhenModalShows(std::function<void(W&)> drive) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, drive] {
    auto* w = dynamic_cast<W*>(QApplication::activeModalWidget());
    if (w == nullptr) return;
    poll->stop();
    poll->deleteLater();
    drive(*w);
  });
  poll->start();
  return poll;
}

}  // namespace testsupport
