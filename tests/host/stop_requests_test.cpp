#include "host/stop_requests.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <functional>
#include <vector>

#include "host/qt_message_box.h"
#include "host/qt_test_app.h"
#include "presentation/frame_pacing.h"

using namespace host;

namespace {

class StopRequestsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureQtApplication();
    SetStopAction(nullptr);
    presentation::ResetPacingState();
  }
  void TearDown() override {
    // Nothing pending is left for the next test.
    SetStopAction([](StopCause) {});
    SetStopAction(nullptr);
    presentation::ResetPacingState();
  }
  StopAction Record() {
    return [this](StopCause cause) { causes.push_back(cause); };
  }
  // Runs the event loop until `done` holds (or a generous limit passes).
  static bool PumpUntil(const std::function<bool()>& done) {
    QDeadlineTimer limit(10000);
    while (!done() && !limit.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }

  std::vector<StopCause> causes;
};

}  // namespace

// Each stop signal reaches the action only once the event loop runs: the handler itself does
// nothing but note it.
TEST_F(StopRequestsTest, StopSignalsReachTheActionThroughTheEventLoop) {
  InstallStopRequests();
  SetStopAction(Record());
  for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
    causes.clear();
    ASSERT_EQ(std::raise(sig), 0);
    EXPECT_TRUE(causes.empty()) << sig;
    ASSERT_TRUE(PumpUntil([&] { return !causes.empty(); })) << "signal " << sig << " was lost";
    EXPECT_EQ(causes, std::vector<StopCause>{StopCause::Signal}) << sig;
  }
}

// A request that comes before the run has set its action waits for it; a wake-up from sleep is
// no request.
TEST_F(StopRequestsTest, ARequestWithoutAnActionWaitsForTheNextOne) {
  RequestStop(StopCause::Signal);
  HandlePrepareForSleep(false);
  HandlePrepareForSleep(true);
  EXPECT_TRUE(causes.empty());
  SetStopAction(Record());
  EXPECT_EQ(causes, (std::vector<StopCause>{StopCause::Signal, StopCause::Suspend}));
  HandlePrepareForSleep(false);
  HandlePrepareForSleep(true);
  EXPECT_EQ(causes.size(), 3u);
  EXPECT_EQ(causes.back(), StopCause::Suspend);
}

// While the program starts, a request answers the open box (as Esc answers it) and is held: the
// run that comes next takes it once and does not start.
TEST_F(StopRequestsTest, DuringStartARequestAnswersTheBoxAndIsHeldForTheNextRun) {
  InstallStopRequests();
  SetStopAction(HoldAndAnswerBoxes());
  EXPECT_FALSE(TakeHeldStopRequest());

  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  QtMessageService boxes;
  const platform::MsgResult answer = boxes.show("The template file could not be read.", "Zorvane",
                                                platform::MsgIcon::Exclamation, platform::MsgButtons::Ok, 0);
  EXPECT_EQ(answer, platform::MsgResult::Ok);
  EXPECT_TRUE(TakeHeldStopRequest());
  EXPECT_FALSE(TakeHeldStopRequest()) << "a held request is taken once";

  // A signal the event loop has not read yet is held all the same.
  ASSERT_EQ(std::raise(SIGHUP), 0);
  EXPECT_TRUE(TakeHeldStopRequest());
}

// The saver's and the preview's stop: the stop flag, as their windows' stop messages set it.
TEST_F(StopRequestsTest, AnimationRunsStopOnEveryCause) {
  SetStopAction(&StopAnimationRun);
  for (StopCause cause : {StopCause::Signal, StopCause::Suspend}) {
    presentation::pacing().G_bCancel = false;
    RequestStop(cause);
    EXPECT_TRUE(presentation::pacing().G_bCancel);
  }
}

// The dialog closes as Cancel closes it: a question box above it is answered as Esc answers it
// (No, even where Yes is the default), then the dialog itself. A suspend leaves it open.
TEST_F(StopRequestsTest, DialogClosesAsCancelAfterItsOpenBox) {
  QWidget dialog;
  dialog.show();
  SetStopAction(CloseAsCancel(&dialog));
  RequestStop(StopCause::Suspend);
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_TRUE(dialog.isVisible());

  QTimer::singleShot(0, [] { RequestStop(StopCause::Signal); });
  QtMessageService boxes;
  const platform::MsgResult answer =
      boxes.show("Reset every setting?", "Zorvane", platform::MsgIcon::Question, platform::MsgButtons::YesNo, 0);
  EXPECT_EQ(answer, platform::MsgResult::No);
  EXPECT_TRUE(PumpUntil([&] { return !dialog.isVisible(); })) << "the dialog stayed open";

  // A dialog that is already gone is left alone.
  SetStopAction(CloseAsCancel(nullptr));
  RequestStop(StopCause::Signal);
}

// A window that the open modal box owns is not blocked by it: it closes alone, and the box and
// the window below it stay; the box itself then closes as Esc answers it.
TEST_F(StopRequestsTest, AWindowTheModalBoxOwnsClosesAloneAndTheBoxAsEsc) {
  QWidget below;
  below.show();
  bool ownedClosedAlone = false;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) return;
    {
      QWidget owned(box, Qt::Window);
      owned.show();
      CloseWindowAsCancel(&owned);
      PumpUntil([&] { return !owned.isVisible(); });
      // Time for a step that would close the box first and come again.
      for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      ownedClosedAlone = !owned.isVisible() && box->isVisible() && below.isVisible();
    }
    CloseWindowAsCancel(box);
  });
  QTimer fallback;  // ends the box should the steps above not
  fallback.setSingleShot(true);
  QObject::connect(&fallback, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  fallback.start(30000);
  QtMessageService boxes;
  const platform::MsgResult answer =
      boxes.show("Reset every setting?", "Zorvane", platform::MsgIcon::Question, platform::MsgButtons::YesNo, 0);
  EXPECT_TRUE(ownedClosedAlone);
  EXPECT_EQ(answer, platform::MsgResult::No);
  EXPECT_TRUE(below.isVisible());
}
