// Message boxes shown with Qt: long texts wrap to the screen, nothing of them is cut off, and
// they can be selected and copied as given; Enter and Esc answer as the buttons say.
#include "host/qt_message_box.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextEdit>
#include <QScrollBar>
#include <QTimer>

#include <string>

#include "host/qt_test_app.h"

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

// A mail link of the kind the diagnostics window hands over: one run of 2000 characters.
std::string LongLink() {
  std::string link = "mailto:feedback@example.org?Subject=PC%20System%20Diagnostics%20(ZORV)&Body=";
  while (link.size() < 2000) link += "Display%20Colors%20%2016,777,216%0D%0A";
  return link;
}

TEST(QtMessageBox, TextsWrapToTheScreenWholeAndCanBeCopied) {
  testsupport::EnsureQtApplication();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  std::string words;
  for (int i = 0; i < 80; ++i) words += "several words ";
  struct Case {
    const char* what;
    std::string text;
    bool wraps;
  } cases[] = {
      {"unreached link", "The Web Page could not be reached.\r\n\r\nURL:  " + LongLink(), true},
      {"long paragraph", words, true},
      {"short note", "Note:  This window can be resized.", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QMessageBox box;
    host::ConfigureMessageBox(box, c.text, "Zorvane", MsgIcon::Information, MsgButtons::Ok, 0);
    box.show();
    QCoreApplication::processEvents();
    auto* text = box.findChild<QTextEdit*>(QString::fromLatin1(host::kMessageTextName));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isVisible());
    // The box fits the screen, the text its part of the box: no line runs past its edge.
    EXPECT_LE(box.frameGeometry().width(), screen.width());
    EXPECT_LE(box.frameGeometry().height(), screen.height());
    EXPECT_LE(text->document()->size().width(), text->viewport()->width() + 1);
    EXPECT_EQ(text->document()->lineCount() > 1 || text->document()->size().height() > 2 * text->fontMetrics().height(),
              c.wraps);
    // All of it is there to select, and a copy gives it as it was given.
    const Qt::TextInteractionFlags flags = text->textInteractionFlags();
    EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByMouse));
    EXPECT_TRUE(flags.testFlag(Qt::TextSelectableByKeyboard));
    text->selectAll();
    text->copy();
    QString expected = QString::fromStdString(c.text);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
    box.close();
  }
}

// A text that fits the screen shows whole: no scroll bar, its last line inside the box, whatever
// the length of the path in it. Only a text taller than the screen scrolls.
TEST(QtMessageBox, OnlyATextTallerThanTheScreenScrolls) {
  testsupport::EnsureQtApplication();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const std::string capture = "The screen capture could not be saved as\n";
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\r\n";
  struct Case {
    std::string text;
    bool scrolls;
  } cases[] = {
      {capture + "/home/user/Pictures/Zorvane_ScreenCapture_1.bmp", false},
      {capture + "/tmp/zorvane-test-1HPuhe/not-a-folder/Pictures/Zorvane_ScreenCapture_1.bmp", false},
      {capture + "/tmp/zorvane-test-1HPuhe/not-a-folder/Pictures/a/b/c/d/Zorvane_ScreenCapture_1.bmp", false},
      {capture + "/tmp/zorvane-test-1HPuhe/not-a-folder/Pictures/a/b/c/d/e/f/g/h/i/Zorvane_ScreenCapture_1.bmp", false},
      {capture + "/media/user/a-much-longer-folder-name/and-another-one/Pictures/Zorvane_ScreenCapture_100.bmp",
       false},
      {lines, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(c.text.size() > 80 ? c.text.size() - 80 : 0));
    QMessageBox box;
    host::ConfigureMessageBox(box, c.text, "Zorvane", MsgIcon::Exclamation, MsgButtons::Ok, 0);
    box.show();
    QCoreApplication::processEvents();
    auto* text = box.findChild<QTextEdit*>(QString::fromLatin1(host::kMessageTextName));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->verticalScrollBar()->isVisible(), c.scrolls);
    EXPECT_EQ(text->document()->size().height() > text->viewport()->height(), c.scrolls)
        << text->document()->size().height() << " high in " << text->viewport()->height();
    EXPECT_LE(box.frameGeometry().height(), screen.height());
    box.close();
  }
}

TEST(QtMessageBox, EnterTakesTheDefaultButtonAndEscapeCancels) {
  testsupport::EnsureQtApplication();
  struct Case {
    MsgButtons buttons;
    int defaultButton;
    Qt::Key key;
    MsgResult answer;
  } cases[] = {
      {MsgButtons::OkCancel, 0, Qt::Key_Return, MsgResult::Ok},
      {MsgButtons::YesNo, 1, Qt::Key_Return, MsgResult::No},
      {MsgButtons::YesNoCancel, 0, Qt::Key_Escape, MsgResult::Cancel},
      {MsgButtons::OkCancel, 0, Qt::Key_Escape, MsgResult::Cancel},
  };
  host::QtMessageService service;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.key));
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : box;
      QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
      QApplication::sendEvent(target, &press);
    });
    EXPECT_EQ(service.show("The text " + LongLink(), "Zorvane", MsgIcon::Question, c.buttons, c.defaultButton),
              c.answer);
  }
}

}  // namespace
