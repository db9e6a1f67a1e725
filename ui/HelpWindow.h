#pragma once
// The desktop help viewer: plain windows showing our help files (HelpFile.h).
// Each named window shows one file at a time; the contents go to the window
// named "main", chapter topics to the window the caller names ("basewin").

#include <QPointer>
#include <QTextBrowser>

#include <functional>
#include <map>
#include <string>

#include "ui/HelpFile.h"
#include "ui/Platform.h"

namespace vael::ui {

class HelpWindow : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpWindow(const QString& windowName);
  // Reads the file again, so edits show at once; false when it can't be read.
  bool Open(const std::string& helpFile);
  void ShowContents();
  void ShowTopic(int number);
  // The file's own name, without its folder.
  QString FileName() const;

 private:
  void OpenLink(const QUrl& link);

  std::string helpFile_;
  HelpDocument document_;
};

class HelpWindowViewer final : public HelpViewer {
 public:
  ~HelpWindowViewer() override;
  // New help windows open beside this screen area (the main window) and
  // keep clear of it; without it they open where the desktop puts them.
  void KeepClearOf(std::function<QRect()> area);
  // Where a help window of this size opens beside area on a screen: the
  // contents to its left (or right, where the left has no room), chapter
  // topics below it, so neither hides the other; always on the screen.
  static QRect Placement(const QRect& area, const QRect& screen, const QSize& size, bool contents);
  void ShowContents(const std::string& helpFile) override;
  void ShowTopic(const std::string& helpFile, const QString& windowName, int topic) override;
  void Close(const QString& bareFileName) override;

 private:
  HelpWindow* Window(const QString& windowName);

  std::map<QString, QPointer<HelpWindow>> windows_;
  std::function<QRect()> clearArea_;
};

}  // namespace vael::ui
