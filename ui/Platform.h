#pragma once
// The services the main window takes from the desktop, each behind a small
// interface so that tests can run the real window without a person: the
// settings store, the help viewer, the save dialog, the warning box and the
// clipboard. QtPlatform.h and HelpWindow.h hold the desktop versions.

#include <QString>

#include <optional>
#include <string>

namespace vael::ui {

// The per-user store of the three integer settings, open for the run.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored value; nothing when it is absent or not an integer.
  virtual std::optional<int> ReadInteger(const QString& name) = 0;
  virtual void WriteInteger(const QString& name, int value) = 0;
};

// Shows help files: the contents of a file, or one numbered topic of it in a
// named window; closes every window showing a file of a given bare name.
// Help files are named in the file system's encoding: a book's folder name
// need not be UTF-8, and Qt's text would not keep its bytes.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void ShowContents(const std::string& helpFile) = 0;
  virtual void ShowTopic(const std::string& helpFile, const QString& windowName, int topic) = 0;
  virtual void Close(const QString& bareFileName) = 0;
};

// The "Save Names" dialog. Filter 1 is Rich Text, filter 2 plain text.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // Opens in folder with fileName and filterIndex preset. On OK returns true
  // with the chosen name (without any extension added) and filter.
  virtual bool Execute(const QString& folder, QString& fileName, int& filterIndex) = 0;
};

// A warning with the buttons OK and Cancel, Cancel the default.
class WarningBox {
 public:
  virtual ~WarningBox() = default;
  // True when the user chose OK.
  virtual bool AskOkCancel(const QString& text, const QString& caption) = 0;
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's content with plain text.
  virtual void SetText(const QString& text) = 0;
};

// What the main window is given; every pointer must outlive the window.
struct Platform {
  SettingsStore* settings = nullptr;
  HelpViewer* help = nullptr;
  SaveDialog* saveDialog = nullptr;
  WarningBox* warningBox = nullptr;
  Clipboard* clipboard = nullptr;
};

}  // namespace vael::ui
