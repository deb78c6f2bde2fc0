// Stop requests from outside the program: SIGTERM, SIGHUP and SIGINT, and the system's
// suspend request (logind's PrepareForSleep(true) on the system bus). The signal handlers only
// write the signal number to a pipe; the event loop reads it and runs the current run's stop
// action there, so a signal that arrives while a handler of the program runs (a file being
// written, a modal box) takes effect when the event loop runs again.
#pragma once

#include <functional>

class QWidget;

namespace host {

enum class StopCause {
  Signal,   // SIGTERM, SIGHUP or SIGINT
  Suspend,  // the system is about to suspend or hibernate
};

// What a stop request does in the current run. The saver and the preview stop as a stop message
// does (StopAnimationRun); the Properties dialog closes as Cancel does (CloseAsCancel). A request
// that comes while no action is set waits for the next SetStopAction. nullptr removes the action.
using StopAction = std::function<void(StopCause)>;
void SetStopAction(StopAction action);

// Installs the handlers of SIGTERM, SIGHUP and SIGINT, and one of SIGXFSZ that does nothing, so
// that a write past the file-size limit fails with an error its writer reports (caught rather
// than ignored: the programs this one starts get the signal's default). Called in the first lines
// of the program, before the application object exists: a request that comes in the program's
// first moments is held until the event loop or TakeHeldStopRequest reads it. Once per process;
// later calls do nothing.
void InstallStopSignals();

// Installs the stop signals when that has not been done yet, and the pipe's reader in the event
// loop. Once per process, after the application object exists; later calls do nothing.
void InstallStopRequests();

// Reads the stop signals that have come but not yet reached the event loop, then tells whether
// a request is held (one came while no action was set, or under HoldAndAnswerBoxes) and forgets
// it. A run that is about to start asks this first: a held request ends it before it starts.
bool TakeHeldStopRequest();

// The action while the program starts (before a run has set its own): an open box (the first
// run's welcome window, the message of a template that could not be read) is answered as Esc
// answers it, and the request is held for the run that comes next (see TakeHeldStopRequest).
StopAction HoldAndAnswerBoxes();

// Subscribes to logind's PrepareForSleep on the system bus (only runs that end on a suspend
// call it). Without a system bus nothing happens. Once per process.
void WatchSuspendRequests();

// Runs the stop action for `cause` now (what the event loop does when a signal arrived).
void RequestStop(StopCause cause);

// The handler of PrepareForSleep: true (going to sleep) is a suspend request, false (woken up)
// is nothing.
void HandlePrepareForSleep(bool start);

// The stop of a saver or preview run, for every cause: G_bCancel set, as the window's stop
// messages set it; no exit fade, no password.
void StopAnimationRun(StopCause cause);

// Closes `window` as its Cancel button does: the open modal windows that block it are closed
// first, top first (a box as Esc closes it: No, Cancel or OK, never Yes), then the window itself
// through its close road. A window that is the modal one, or one that a modal window owns, is
// closed at once. Safe when `window` is already gone.
void CloseWindowAsCancel(QWidget* window);

// A stop action that closes `dialog` as CloseWindowAsCancel does. Suspend requests are ignored
// (the dialog stays).
StopAction CloseAsCancel(QWidget* dialog);

}  // namespace host
