#pragma once
// Desktop versions of the platform services, over QSettings, QFileDialog,
// QMessageBox and the system clipboard.

#include <QSettings>

#include "ui/Platform.h"

namespace vael::ui {

// Organisation "Vael", no application name: on Linux ~/.config/Vael.conf.
class QSettingsStore final : public SettingsStore {
 public:
  QSettingsStore();
  ~QSettingsStore() override;
  std::optional<int> ReadInteger(const QString& name) override;
  void WriteInteger(const QString& name, int value) override;

 private:
  QSettings settings_;
};

class FileSaveDialog final : public SaveDialog {
 public:
  bool Execute(const QString& folder, QString& fileName, int& filterIndex) override;
};

class MessageWarningBox final : public WarningBox {
 public:
  bool AskOkCancel(const QString& text, const QString& caption) override;
};

class SystemClipboard final : public Clipboard {
 public:
  void SetText(const QString& text) override;
};

}  // namespace vael::ui
