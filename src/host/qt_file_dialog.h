// File dialogs of the running program: Qt's own file dialog (never the desktop's native one,
// so that every property of a request takes effect and the dialog behaves the same everywhere).
#pragma once

#include <QFileDialog>

#include "platform/file_dialog.h"

namespace host {

class QtFileDialogService : public platform::FileDialogService {
 public:
  platform::FileDialogResult show(const platform::FileDialogRequest& request) override;
};

// Sets up `dialog` for the request: accept mode, file mode (an existing file, several existing
// files, or any name), overwrite question, title, folder, initial name, default suffix, the
// name filters ("description (pattern)") and the selected one.
void ConfigureFileDialog(QFileDialog& dialog, const platform::FileDialogRequest& request);
// The answer of a dialog that was set up for the request and has closed with `accepted`.
platform::FileDialogResult FileDialogAnswer(const QFileDialog& dialog, const platform::FileDialogRequest& request,
                                            bool accepted);

}  // namespace host
