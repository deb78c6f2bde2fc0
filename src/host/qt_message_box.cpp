#include "host/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace host {

platform::MsgResult QtMessageService::show(std::string_view text, std::string_view title, platform::MsgIcon icon,
                                           platform::MsgButtons buttons, int defaultButton) {
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  QString body = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  box.setText(body);
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
  switch (box.exec()) {
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

}  // namespace host
