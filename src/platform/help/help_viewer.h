// The help service: one window "Zorvane Help" that shows the contents, a search over the topic
// titles and the topic of a help context number, and the help keys of every window (F1 opens the
// focused control's topic, Shift+F1 and a click the topic of the control clicked). A control
// without a help number opens the topic the help folder's control table gives it or the frame
// or panel that holds it (see help_index.h). A combo box's open drop-down list counts as part of
// the combo box: F1 in it closes the list and opens the combo box's topic.
//
// The viewer stays usable while a modal window is open: whenever a modal window appears while
// the viewer is shown, or help is asked for from one, the viewer becomes a window of that modal
// window (so the modality does not block it) and goes back to being a window of its own when
// the modal window closes.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/help/help_index.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace platform {

// Commands of ShowHelp.
inline constexpr int32_t HELP_CONTEXT = 1;   // data: the context number
inline constexpr int32_t HELP_QUIT = 2;      // closes the viewer
inline constexpr int32_t HELP_CONTENTS = 3;  // the contents page
inline constexpr int32_t HELP_FINDER = 11;   // the search over titles

inline constexpr const char* kHelpCaption = "Zorvane Help";

class HelpViewer : public QWidget {
 public:
  explicit HelpViewer(HelpIndex index);

  void ShowContents();
  // The topic of the number; an unknown number shows the contents.
  void ShowContext(int32_t context);
  // Puts the focus into the search box and lists the titles that match its words.
  void ShowSearch();
  // A topic of the index (its file and anchor).
  void ShowTopic(const HelpTopic& topic);

  const HelpIndex& index() const { return index_; }
  // The file shown (absolute path) and its anchor.
  std::string CurrentFile() const;
  std::string CurrentAnchor() const;
  // True while a modal window blocks the viewer.
  bool IsBlocked() const { return blocked_; }

  QLineEdit* searchBox() const { return search_; }
  QListWidget* results() const { return results_; }
  QTextBrowser* browser() const { return browser_; }

  // Makes the viewer a window of `modal` while that window is shown (see the file comment).
  void FollowModal(QWidget* modal);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  // Escape closes the window from any of its parts.
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Open(const std::string& file, const std::string& anchor);
  void FillResults();
  void ReleaseFromModal();

  HelpIndex index_;
  QLineEdit* search_ = nullptr;
  QListWidget* results_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QPointer<QWidget> modal_;
  bool blocked_ = false;
};

// The folder of the help topics; by default "help" beside the executable.
void SetHelpFolder(const std::string& folder);
std::string HelpFolder();

// Carries out a help command for the window `owner` (may be null). HELP_CONTEXT shows the topic
// of `data` (the contents when the number has none), HELP_CONTENTS the contents, HELP_FINDER the
// search, HELP_QUIT closes the viewer. True when the command was known.
bool ShowHelp(QWidget* owner, int32_t command, int32_t data);
// The open viewer, or nullptr.
HelpViewer* OpenHelpViewer();

// Where a topic's web page and mail links go (only http, https and mailto links reach it; any
// other scheme is refused). Without one they go to the toolkit's desktop opener.
using HelpLinkOpener = void (*)(std::string_view address);
void SetHelpLinkOpener(HelpLinkOpener opener);

// The help numbers of a widget: its context number (F1) and its what's-this number
// (Shift+F1 and a click); 0 means none. By default the context number is the control's or
// window's HelpContextID (or a "HelpContextID" property of another widget) and the what's-this
// number a "WhatsThisHelpID" property.
using HelpNumberOf = int32_t (*)(const QWidget& widget);
void SetHelpNumberLookups(HelpNumberOf context, HelpNumberOf whatsThis);
// The number F1 opens for `widget`: its own context number, else its nearest parent's (the
// window included; from a combo box's open list, the combo box's), else 0.
int32_t ContextNumberFor(const QWidget* widget);
// The number Shift+F1 and a click open: the what's-this number of the widget, else its context
// number, else the same of its nearest parent; 0 when none has one.
int32_t WhatsThisNumberFor(const QWidget* widget);

// The topic F1 opens for `widget` (with `whatsThis`, Shift+F1 and a click), walking from the
// widget up to its window: at each step a help number (ContextNumberFor's, or first the
// what's-this number) gives that number's topic, else a line of the index's control table
// naming the widget gives its topic. nullptr: the contents (no number and no line on the way, or
// a number the index has no topic for).
const HelpTopic* HelpTopicFor(const QWidget* widget, const HelpIndex& index, bool whatsThis = false);
// Opens HelpTopicFor(widget) in the viewer, over the widget's window.
void ShowHelpFor(QWidget* widget, bool whatsThis = false);

// Installs the help keys for every window of the application (once; later calls do nothing).
void InstallHelpKeys();

}  // namespace platform
