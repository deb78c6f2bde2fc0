#include "platform/help/help_viewer.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVariant>

#include <algorithm>

#include "platform/controls/control.h"
#include "runtime/link_schemes.h"
#include "platform/controls/form.h"

namespace platform {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

constexpr int kMaxListWidth = 380;  // pixels
constexpr int kFrameRoom = 40;      // pixels kept for a window's frame and title bar

// A new viewer opens over the middle of the window that asked for it (of the screen without
// one), as large as it is within that screen's free area (leaving room for a title bar).
void PlaceViewer(QWidget& viewer, const QWidget* owner) {
  const QWidget* over = owner != nullptr ? owner->window() : nullptr;
  QScreen* screen = over != nullptr && over->screen() != nullptr ? over->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect free = screen->availableGeometry();
  viewer.resize(viewer.size().boundedTo(free.size() - QSize(kFrameRoom, kFrameRoom)));
  const QPoint centre = over != nullptr && over->isVisible() ? over->frameGeometry().center() : free.center();
  QRect r(QPoint(0, 0), viewer.size() + QSize(kFrameRoom, kFrameRoom));
  r.moveCenter(centre);
  viewer.move(std::clamp(r.left(), free.left(), free.right() + 1 - r.width()),
              std::clamp(r.top(), free.top(), free.bottom() + 1 - r.height()));
}

int32_t PropertyNumber(const QWidget& w, const char* name) {
  const QVariant v = w.property(name);
  bool ok = false;
  const int n = v.toInt(&ok);
  return ok ? n : 0;
}
// A control's or window's own help context number, else a "HelpContextID" property.
int32_t DefaultContextOf(const QWidget& w) {
  if (const auto* c = dynamic_cast<const controls::Control*>(&w); c != nullptr && c->HelpContextID() > 0)
    return c->HelpContextID();
  if (const auto* f = dynamic_cast<const controls::Form*>(&w); f != nullptr && f->HelpContextID() > 0)
    return f->HelpContextID();
  return PropertyNumber(w, "HelpContextID");
}
int32_t DefaultWhatsThisOf(const QWidget& w) { return PropertyNumber(w, "WhatsThisHelpID"); }

// The combo box whose drop-down list `window` is (the list is a popup window of its own), or
// nullptr.
QComboBox* ComboOfPopup(const QWidget& window) {
  if (window.windowType() != Qt::Popup) return nullptr;
  return qobject_cast<QComboBox*>(window.parentWidget());
}

// The next widget of the help's walk from `w` out to its window: its parent, and from the open
// list of a combo box the combo box; nullptr after the window.
const QWidget* HelpParentOf(const QWidget& w) {
  if (!w.isWindow()) return w.parentWidget();
  return ComboOfPopup(w);
}

class HelpKeys;

struct HelpState {
  std::string folder;  // empty: "help" beside the executable
  QPointer<HelpViewer> viewer;
  std::string viewerFolder;  // the folder the open viewer was made for
  HelpNumberOf contextOf = &DefaultContextOf;
  HelpNumberOf whatsThisOf = &DefaultWhatsThisOf;
  HelpKeys* keys = nullptr;
  HelpLinkOpener linkOpener = nullptr;
};
HelpState& state() {
  static HelpState s;
  return s;
}

// Follows links inside the help folder only, and hands web pages and mail links to the desktop.
class TopicBrowser : public QTextBrowser {
 public:
  explicit TopicBrowser(QString root) : root_(std::move(root)) {}

 protected:
  void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override {
    if (url.isLocalFile() || url.isRelative()) {
      const QUrl full = source().isValid() ? source().resolved(url) : url;
      const QString path = QFileInfo(full.toLocalFile()).canonicalFilePath();
      if (root_.isEmpty() || !path.startsWith(root_ + QLatin1Char('/'))) return;
      QTextBrowser::doSetSource(full, type);
      return;
    }
    // Web pages and mail links go to the desktop's opener; other schemes are refused.
    const std::string address = url.toString().toStdString();
    if (!runtime::IsOutgoingLink(address)) return;
    if (state().linkOpener != nullptr)
      state().linkOpener(address);
    else
      QDesktopServices::openUrl(url);
  }

 private:
  QString root_;
};

// F1, Shift+F1 and the click after it, for every widget of the application; and the viewer
// following every modal window that appears while it is shown.
class HelpKeys : public QObject {
 protected:
  bool eventFilter(QObject* obj, QEvent* e) override {
    if (!obj->isWidgetType()) return false;
    QWidget* w = static_cast<QWidget*>(obj);
    switch (e->type()) {
      case QEvent::KeyPress: {
        auto* k = static_cast<QKeyEvent*>(e);
        if (whatsThis_ && k->key() == Qt::Key_Escape) {
          Leave();
          return true;
        }
        if (k->key() != Qt::Key_F1) return false;
        if (k->modifiers() & Qt::ShiftModifier) {
          Enter();
          return true;
        }
        // The key arrives at the control that has the focus.
        ShowHelpFor(w);
        return true;
      }
      case QEvent::MouseButtonPress:
        if (!whatsThis_) return false;
        {
          Leave();
          swallowRelease_ = true;
          ShowHelpFor(w, true);
        }
        return true;
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        if (!swallowRelease_) return false;
        if (e->type() == QEvent::MouseButtonRelease) swallowRelease_ = false;
        return true;
      case QEvent::Show: {
        HelpViewer* v = state().viewer;
        if (v && v->isVisible() && w != v && w->isWindow() && w->isModal()) v->FollowModal(w);
        return false;
      }
      default:
        return false;
    }
  }

 private:
  void Enter() {
    if (whatsThis_) return;
    whatsThis_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
  }
  void Leave() {
    if (!whatsThis_) return;
    whatsThis_ = false;
    QApplication::restoreOverrideCursor();
  }
  bool whatsThis_ = false;
  bool swallowRelease_ = false;
};

std::string CanonicalFolder() {
  const std::string folder = HelpFolder();
  const QString c = QFileInfo(Q(folder)).canonicalFilePath();
  return c.isEmpty() ? folder : c.toStdString();
}

}  // namespace

HelpViewer::HelpViewer(HelpIndex index) : index_(std::move(index)) {
  setWindowTitle(QString::fromLatin1(kHelpCaption));
  setObjectName(QStringLiteral("HelpViewer"));
  auto* side = new QVBoxLayout;
  auto* contents = new QPushButton(QStringLiteral("&Contents"));
  contents->setObjectName(QStringLiteral("helpContents"));
  search_ = new QLineEdit;
  search_->setObjectName(QStringLiteral("helpSearch"));
  search_->setPlaceholderText(QStringLiteral("Search the titles"));
  results_ = new QListWidget;
  results_->setObjectName(QStringLiteral("helpResults"));
  auto* find = new QLabel(QStringLiteral("&Find a topic:"));
  find->setObjectName(QStringLiteral("helpFind"));
  find->setBuddy(search_);  // Alt+F goes to the search box
  side->addWidget(contents);
  side->addWidget(find);
  side->addWidget(search_);
  side->addWidget(results_, 1);
  side->setContentsMargins(0, 0, 0, 0);
  auto* panel = new QWidget;
  panel->setLayout(side);
  browser_ = new TopicBrowser(Q(index_.folder()));
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  // Every link passes the browser's own check above, external ones too.
  browser_->setOpenExternalLinks(false);
  // The list is as wide as its longest title (within a limit); the divider can move.
  int titles = 0;
  for (const HelpTopic& t : index_.topics()) titles = std::max(titles, results_->fontMetrics().horizontalAdvance(Q(t.title)));
  const int listWidth = std::min(titles + 2 * results_->frameWidth() +
                                     results_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12,
                                 kMaxListWidth);
  results_->setMinimumWidth(listWidth);
  auto* split = new QSplitter(Qt::Horizontal);
  split->setObjectName(QStringLiteral("helpSplit"));
  split->setChildrenCollapsible(false);
  split->addWidget(panel);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  auto* row = new QHBoxLayout(this);
  row->addWidget(split);
  resize(listWidth + 640, 560);

  connect(contents, &QPushButton::clicked, this, [this] { ShowContents(); });
  connect(search_, &QLineEdit::textChanged, this, [this] { FillResults(); });
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (results_->count() > 0) results_->setCurrentRow(0);
  });
  connect(results_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    const int i = results_->item(row)->data(Qt::UserRole).toInt();
    if (i >= 0 && i < static_cast<int>(index_.topics().size())) Open(index_.topics()[i].file, index_.topics()[i].anchor);
  });
  FillResults();
}

void HelpViewer::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

void HelpViewer::Open(const std::string& file, const std::string& anchor) {
  if (file.empty()) {
    browser_->setPlainText(QStringLiteral("The help topics could not be found in ") + Q(index_.folder()) +
                           QStringLiteral("."));
    return;
  }
  QUrl url = QUrl::fromLocalFile(Q(file));
  if (!anchor.empty()) url.setFragment(Q(anchor));
  browser_->setSource(url);
}

void HelpViewer::ShowContents() { Open(index_.ContentsPath(), {}); }

void HelpViewer::ShowContext(int32_t context) {
  if (const HelpTopic* t = index_.Find(context)) {
    Open(t->file, t->anchor);
    return;
  }
  ShowContents();
}

void HelpViewer::ShowTopic(const HelpTopic& topic) { Open(topic.file, topic.anchor); }

void HelpViewer::ShowSearch() {
  search_->setFocus(Qt::OtherFocusReason);
  search_->selectAll();
  FillResults();
  if (browser_->source().isEmpty()) ShowContents();
}

void HelpViewer::FillResults() {
  const QSignalBlocker block(results_);
  results_->clear();
  const auto found = index_.Search(search_->text().toStdString());
  for (const HelpTopic* t : found) {
    auto* item = new QListWidgetItem(Q(t->title), results_);
    item->setData(Qt::UserRole, static_cast<int>(t - index_.topics().data()));
  }
}

std::string HelpViewer::CurrentFile() const { return browser_->source().toLocalFile().toStdString(); }
std::string HelpViewer::CurrentAnchor() const { return browser_->source().fragment().toStdString(); }

void HelpViewer::FollowModal(QWidget* modal) {
  if (modal == nullptr || modal == this || modal == modal_) return;
  const bool shown = isVisible();
  const QRect g = geometry();
  if (modal_) modal_->removeEventFilter(this);
  modal_ = modal;
  setParent(modal, Qt::Window);
  setGeometry(g);
  modal->installEventFilter(this);
  if (shown) show();
}

void HelpViewer::ReleaseFromModal() {
  const bool shown = isVisible();
  const QRect g = geometry();
  if (modal_) modal_->removeEventFilter(this);
  modal_ = nullptr;
  setParent(nullptr, Qt::Window);
  setGeometry(g);
  if (shown) show();
  // A modal window below the one that closed keeps the viewer usable in turn.
  QTimer::singleShot(0, this, [this] {
    QWidget* next = QApplication::activeModalWidget();
    if (next && isVisible()) FollowModal(next);
  });
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* e) {
  if (watched == modal_ && e->type() == QEvent::Hide) ReleaseFromModal();
  return QWidget::eventFilter(watched, e);
}

bool HelpViewer::event(QEvent* e) {
  if (e->type() == QEvent::WindowBlocked) blocked_ = true;
  if (e->type() == QEvent::WindowUnblocked) blocked_ = false;
  return QWidget::event(e);
}

void SetHelpFolder(const std::string& folder) { state().folder = folder; }

std::string HelpFolder() {
  if (!state().folder.empty()) return state().folder;
  if (QCoreApplication::instance() == nullptr) return "help";
  return (QCoreApplication::applicationDirPath() + QStringLiteral("/help")).toStdString();
}

void SetHelpLinkOpener(HelpLinkOpener opener) { state().linkOpener = opener; }

HelpViewer* OpenHelpViewer() { return state().viewer; }

bool ShowHelp(QWidget* owner, int32_t command, int32_t data) {
  HelpState& s = state();
  if (command == HELP_QUIT) {
    if (s.viewer) {
      s.viewer->close();
      s.viewer->deleteLater();
      s.viewer = nullptr;
    }
    return true;
  }
  if (command != HELP_CONTEXT && command != HELP_CONTENTS && command != HELP_FINDER) return false;
  const std::string folder = CanonicalFolder();
  if (s.viewer && s.viewerFolder != folder) {
    s.viewer->close();
    s.viewer->deleteLater();
    s.viewer = nullptr;
  }
  if (!s.viewer) {
    s.viewer = new HelpViewer(HelpIndex::Load(folder));
    s.viewerFolder = folder;
    PlaceViewer(*s.viewer, owner);
  }
  HelpViewer* v = s.viewer;
  QWidget* modal = (owner && owner->window()->isModal()) ? owner->window() : QApplication::activeModalWidget();
  if (modal) v->FollowModal(modal);
  if (command == HELP_CONTEXT)
    v->ShowContext(data);
  else if (command == HELP_CONTENTS)
    v->ShowContents();
  v->show();
  v->raise();
  v->activateWindow();
  if (command == HELP_FINDER) v->ShowSearch();
  return true;
}

void SetHelpNumberLookups(HelpNumberOf context, HelpNumberOf whatsThis) {
  state().contextOf = context ? context : &DefaultContextOf;
  state().whatsThisOf = whatsThis ? whatsThis : &DefaultWhatsThisOf;
}

int32_t ContextNumberFor(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = HelpParentOf(*w))
    if (const int32_t n = state().contextOf(*w); n > 0) return n;
  return 0;
}

int32_t WhatsThisNumberFor(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = HelpParentOf(*w)) {
    if (const int32_t n = state().whatsThisOf(*w); n > 0) return n;
    if (const int32_t n = state().contextOf(*w); n > 0) return n;
  }
  return 0;
}

namespace {

std::string NameOfWindow(const QWidget& w) {
  const QWidget* window = w.window();
  if (const auto* f = dynamic_cast<const controls::Form*>(window)) return f->Name();
  return window->objectName().toStdString();
}

// The table line naming `w` (a control by its window, name and index; any other widget by its
// window's and its own object name), or nullptr.
const HelpTopic* TableTopicOf(const QWidget& w, const HelpIndex& index) {
  if (const auto* c = dynamic_cast<const controls::Control*>(&w)) {
    const std::string window = c->Window() != nullptr ? c->Window()->Name() : NameOfWindow(w);
    return index.FindControl(window, c->Name(), c->Index());
  }
  if (const auto* f = dynamic_cast<const controls::Form*>(&w)) return index.FindControl(f->Name(), f->Name(), -1);
  const std::string name = w.objectName().toStdString();
  return name.empty() ? nullptr : index.FindControl(NameOfWindow(w), name, -1);
}

}  // namespace

const HelpTopic* HelpTopicFor(const QWidget* widget, const HelpIndex& index, bool whatsThis) {
  for (const QWidget* w = widget; w != nullptr; w = HelpParentOf(*w)) {
    int32_t n = whatsThis ? state().whatsThisOf(*w) : 0;
    if (n <= 0) n = state().contextOf(*w);
    if (n > 0) return index.Find(n);
    if (const HelpTopic* t = TableTopicOf(*w, index)) return t;
  }
  return nullptr;
}

void ShowHelpFor(QWidget* widget, bool whatsThis) {
  QWidget* owner = widget != nullptr ? widget->window() : nullptr;
  // From an open drop-down list the list closes (it would keep the keyboard and the mouse from
  // the viewer) and the viewer opens over the combo box's window.
  if (QComboBox* combo = owner != nullptr ? ComboOfPopup(*owner) : nullptr) {
    combo->hidePopup();
    owner = combo->window();
  }
  ShowHelp(owner, HELP_CONTENTS, 0);
  HelpViewer* v = state().viewer;
  if (v == nullptr || widget == nullptr) return;
  if (const HelpTopic* t = HelpTopicFor(widget, v->index(), whatsThis)) v->ShowTopic(*t);
}

void InstallHelpKeys() {
  // A window of the control layer that sees F1 itself (without these keys) opens its number here.
  controls::state().showHelp = [](int context) {
    ShowHelp(QApplication::activeWindow(), context > 0 ? HELP_CONTEXT : HELP_CONTENTS, context);
  };
  if (state().keys || QCoreApplication::instance() == nullptr) return;
  state().keys = new HelpKeys;
  state().keys->setParent(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(state().keys);
}

}  // namespace platform
