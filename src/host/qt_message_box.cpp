#include "host/qt_message_box.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QString>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace host {

namespace {

// Room the box keeps beside its text on the screen: the icon, the margins, the frame.
constexpr int kRoomBesideText = 140;
// A text no wider than this many pixels is never wrapped; above it lines wrap at this width or
// at the screen's width, whichever is less.
constexpr int kWrapWidth = 600;
// Room the box keeps below its text on the screen: the buttons, the margins, the title bar.
constexpr int kRoomBelowText = 160;

// The message's text: read-only, selectable, wrapped at the words and, inside a run too long for
// a line, anywhere. A QLabel wraps only at the words, so a long link would be cut off.
class MessageText : public QTextEdit {
 public:
  MessageText(const QString& text, const QRect& screen) : screen_(screen) {
    setObjectName(QString::fromLatin1(kMessageTextName));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Looks like the label it stands for: the window's background, no text cursor.
    viewport()->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));
    document()->setDocumentMargin(0);
    setPlainText(text);
    setFocusPolicy(Qt::ClickFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    // The width: the text's own width unwrapped, within the wrapping width and the screen.
    QTextDocument probe;
    probe.setDefaultFont(font());
    probe.setDocumentMargin(0);
    probe.setPlainText(text);
    const int natural = static_cast<int>(probe.idealWidth()) + 4;
    const int screenRoom = std::max(120, screen_.width() - kRoomBesideText);
    width_ = std::min({natural, kWrapWidth, screenRoom});
    // A scroll bar only for a text taller than the screen allows. One shown as needed can come
    // up while the box is laid out at a passing width and then stay: the text, narrowed by it,
    // wraps once more and its last line falls below the box.
    setVerticalScrollBarPolicy(FullHeight(width_) > MaxHeight() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  }

  bool hasHeightForWidth() const override { return true; }
  // Taller than the screen allows: it scrolls.
  int heightForWidth(int w) const override { return std::min(FullHeight(w), MaxHeight()); }
  QSize sizeHint() const override { return {width_, heightForWidth(width_)}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  // The height of the whole text wrapped at width w.
  int FullHeight(int w) const {
    QTextDocument probe;
    probe.setDefaultFont(font());
    probe.setDocumentMargin(0);
    probe.setDefaultTextOption(document()->defaultTextOption());
    probe.setPlainText(toPlainText());
    probe.setTextWidth(std::max(1, w - 2 * frameWidth()));
    return static_cast<int>(probe.size().height() + 0.999) + 2 * frameWidth() + 2;
  }
  int MaxHeight() const { return std::max(60, screen_.height() - kRoomBelowText); }

  QRect screen_;
  int width_ = 0;
};

QRect ScreenOf(const QWidget* parent) {
  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

void ConfigureMessageBox(QMessageBox& box, std::string_view text, std::string_view title, platform::MsgIcon icon,
                         platform::MsgButtons buttons, int defaultButton) {
  box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setTextFormat(Qt::PlainText);
  box.setText(body);  // kept for the box's own Ctrl+C, which copies the whole message
  switch (icon) {
    case platform::MsgIcon::Information:
      box.setIcon(QMessageBox::Information);
      break;
    case platform::MsgIcon::Exclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case platform::MsgIcon::Critical:
      box.setIcon(QMessageBox::Critical);
      break;
    case platform::MsgIcon::Question:
      box.setIcon(QMessageBox::Question);
      break;
    case platform::MsgIcon::None:
      break;
  }
  switch (buttons) {
    case platform::MsgButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case platform::MsgButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case platform::MsgButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case platform::MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (platform::ButtonAt(buttons, defaultButton)) {
    case platform::MsgResult::Ok:
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case platform::MsgResult::Cancel:
      box.setDefaultButton(QMessageBox::Cancel);
      break;
    case platform::MsgResult::Yes:
      box.setDefaultButton(QMessageBox::Yes);
      break;
    case platform::MsgResult::No:
      box.setDefaultButton(QMessageBox::No);
      break;
  }
  // The box's own label gives way to the wrapping, selectable text, in the same place.
  auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (label == nullptr || grid == nullptr || box.findChild<MessageText*>() != nullptr) return;
  const QWidget* parent = box.parentWidget();
  auto* shown = new MessageText(body, ScreenOf(parent != nullptr ? parent : &box));
  shown->setParent(&box);
  // The layout hands back the item that held the label; it is ours to delete.
  QLayoutItem* replaced = grid->replaceWidget(label, shown);
  if (replaced == nullptr) {
    delete shown;
    return;
  }
  delete replaced;
  label->hide();
}

platform::MsgResult MessageBoxAnswer(int execResult) {
  switch (execResult) {
    case QMessageBox::Cancel:
      return platform::MsgResult::Cancel;
    case QMessageBox::Yes:
      return platform::MsgResult::Yes;
    case QMessageBox::No:
      return platform::MsgResult::No;
    default:
      return platform::MsgResult::Ok;
  }
}

platform::MsgResult QtMessageService::show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                                           platform::MsgButtons buttons, int defaultButton) {
  QMessageBox box(QApplication::activeWindow());
  ConfigureMessageBox(box, text, title, icon, buttons, defaultButton);
  return MessageBoxAnswer(box.exec());
}

}  // namespace host
