#include "host/qt_file_dialog.h"

#include <gtest/gtest.h>

#include <QTimer>

#include "host/qt_test_app.h"
#include "support/test_support.h"

namespace {

using platform::FileDialogKind;
using platform::FileDialogRequest;

TEST(QtFileDialog, RequestSetsUpQtsOwnDialog) {
  testsupport::EnsureQtApplication();
  const std::string dir = testsupport::MakeTempDir();
  FileDialogRequest save;
  save.kind = FileDialogKind::Save;
  save.title = "Choose a filename to save AVI to...";
  save.initialDirectory = dir;
  save.defaultExtension = "AVI";
  save.filters = {{"AVI Files", "*.avi"}, {"All Files", "*.*"}};
  save.filterIndex = 2;
  save.flags = platform::kOfnOverwritePrompt;
  {
    QFileDialog dialog;
    host::ConfigureFileDialog(dialog, save);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.windowTitle().toStdString(), save.title);
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), dir);
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("AVI"));
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"AVI Files (*.avi)", "All Files (*.*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("All Files (*.*)"));
  }
  FileDialogRequest open;
  open.flags = platform::kOfnFileMustExist;
  {
    QFileDialog dialog;
    host::ConfigureFileDialog(dialog, open);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  }
  open.flags = platform::kOfnAllowMultiSelect;
  {
    QFileDialog dialog;
    host::ConfigureFileDialog(dialog, open);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
  }
}

TEST(QtFileDialog, ShowReturnsTheTypedNameOrACancel) {
  testsupport::EnsureQtApplication();
  const std::string dir = testsupport::MakeTempDir();
  FileDialogRequest save;
  save.kind = FileDialogKind::Save;
  save.initialDirectory = dir;
  save.defaultExtension = "avi";
  save.filters = {{"AVI Files", "*.avi"}};
  save.fileName = dir + "/clip";
  host::QtFileDialogService service;
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr) static_cast<QDialog*>(dialog)->accept();
  });
  const platform::FileDialogResult accepted = service.show(save);
  EXPECT_TRUE(accepted.accepted);
  EXPECT_EQ(accepted.fileName, dir + "/clip.avi");
  EXPECT_EQ(accepted.filterIndex, 1);

  QTimer::singleShot(0, [] {
    if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
  });
  const platform::FileDialogResult cancelled = service.show(save);
  EXPECT_FALSE(cancelled.accepted);
  EXPECT_EQ(cancelled.fileName, "");
}

}  // namespace
