#include "host/qt_file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace host {
namespace {

QString NameFilter(const std::pair<std::string, std::string>& filter) {
  QString patterns = QString::fromStdString(filter.second);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return QString::fromStdString(filter.first) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

}  // namespace

void ConfigureFileDialog(QFileDialog& dialog, const platform::FileDialogRequest& request) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  const bool save = request.kind == platform::FileDialogKind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) {
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.flags & platform::kOfnOverwritePrompt));
  } else if (request.flags & platform::kOfnAllowMultiSelect) {
    dialog.setFileMode(QFileDialog::ExistingFiles);
  } else {
    dialog.setFileMode((request.flags & platform::kOfnFileMustExist) ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
  }
  dialog.setWindowTitle(QString::fromStdString(request.title));
  if (!request.initialDirectory.empty()) dialog.setDirectory(QString::fromStdString(request.initialDirectory));
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  QStringList filters;
  for (const auto& f : request.filters) filters << NameFilter(f);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  }
  if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
}

platform::FileDialogResult FileDialogAnswer(const QFileDialog& dialog, const platform::FileDialogRequest& request,
                                            bool accepted) {
  platform::FileDialogResult result;
  const QStringList files = dialog.selectedFiles();
  if (!accepted || files.isEmpty()) return result;
  result.accepted = true;
  result.fileName = QDir::toNativeSeparators(files.front()).toStdString();
  QStringList filters;
  for (const auto& f : request.filters) filters << NameFilter(f);
  const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
  result.filterIndex = index >= 0 ? static_cast<int32_t>(index + 1) : (filters.isEmpty() ? 0 : 1);
  // Qt's dialog has no read-only box: the flags come back as they went in, without it.
  result.flags = request.flags & ~platform::kOfnReadOnly;
  return result;
}

platform::FileDialogResult QtFileDialogService::show(const platform::FileDialogRequest& request) {
  QWidget* owner = request.owner != 0 ? QWidget::find(static_cast<WId>(request.owner)) : nullptr;
  if (owner == nullptr) owner = QApplication::activeWindow();
  QFileDialog dialog(owner);
  ConfigureFileDialog(dialog, request);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  return FileDialogAnswer(dialog, request, accepted);
}

}  // namespace host
