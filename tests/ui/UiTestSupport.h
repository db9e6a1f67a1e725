#pragma once
// Shared setup of the window tests: a temporary working folder with test
// books, an isolated settings file, fakes for the dialogs, the help viewer
// and the clipboard, and small steps a user would take.

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QTest>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "ui/Logview.h"
#include "ui/Maindlg.h"
#include "ui/Platform.h"
#include "ui/QtPlatform.h"
#include "ui/TextCodec.h"

namespace vael::uitest {

// Test classes register themselves by name (see VAEL_UI_TEST).
using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<QString, TestFactory>& TestRegistry();
struct Registration {
  Registration(const char* name, TestFactory factory);
};
#define VAEL_UI_TEST(Class) \
  static const vael::uitest::Registration registration##Class(#Class, [] { return std::make_unique<Class>(); })

struct FakeHelp final : ui::HelpViewer {
  QStringList calls;  // "contents FILE", "topic FILE WINDOW N", "close NAME"
  void ShowContents(const std::string& helpFile) override {
    calls << "contents " + QString::fromStdString(helpFile);
  }
  void ShowTopic(const std::string& helpFile, const QString& windowName, int topic) override {
    calls << QStringLiteral("topic %1 %2 %3").arg(QString::fromStdString(helpFile), windowName).arg(topic);
  }
  void Close(const QString& bareFileName) override { calls << "close " + bareFileName; }
};

struct FakeSaveDialog final : ui::SaveDialog {
  struct Answer {
    bool ok = true;
    QString fileName;
    int filterIndex = 1;
  };
  std::deque<Answer> answers;  // a missing answer cancels
  struct Shown {
    QString folder;
    QString presetName;
  };
  std::vector<Shown> shown;
  bool Execute(const QString& folder, QString& fileName, int& filterIndex) override;
};

struct FakeWarningBox final : ui::WarningBox {
  std::deque<bool> answers;  // a missing answer is Cancel
  QStringList asked;         // "caption: text"
  bool AskOkCancel(const QString& text, const QString& caption) override;
};

struct FakeClipboard final : ui::Clipboard {
  QString text;
  int writes = 0;
  void SetText(const QString& value) override {
    text = value;
    ++writes;
  }
};

// The real main window, with a look into the loader's progress steps so
// that tests can see the controls while a book or chapter is loading.
class ProbeWindow : public TForm1 {
 public:
  using TForm1::TForm1;
  std::function<void()> onProgress;
  void StepProgress() override {
    if (onProgress) onProgress();
    TForm1::StepProgress();
  }
};

// What the desktop sends when the pointer enters or leaves a control.
void PointerEnters(QWidget* control);
void PointerLeaves(QWidget* control);

// A chapter that loads: twelve names, the given options and tags.
test::ChapterDraft LoadableChapter(const std::string& title, const std::string& genopt = "STATGEN",
                                  std::vector<std::string> extraTags = {});

class UiFixture {
 public:
  UiFixture();
  ~UiFixture();

  // Working folder files, relative paths.
  void Write(const std::string& relativePath, const std::string& bytes);
  void WriteBook(const std::string& folder, const std::string& description);
  void WriteChapter(const std::string& relativePath, const test::ChapterDraft& chapter);
  std::string Path(const std::string& relativePath) const;
  // The settings file as text ("" while absent); written before start-up.
  QString SettingsText() const;
  void WriteSettings(const QString& text);

  // Creates the windows (the whole start-up), and destroys them (shutdown).
  ProbeWindow& Start();
  void Stop();
  ProbeWindow& window() { return *window_; }
  TForm2& logWindow() { return *logWindow_; }

  template <class T>
  T* Get(const char* name) {
    T* control = window_->findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  QComboBox* List(const char* name) { return Get<QComboBox>(name); }
  QListWidget* History() { return Get<QListWidget>("lbxHistory"); }
  bool Enabled(const char* name) { return Get<QWidget>(name)->isEnabled(); }
  bool Shown(const char* name) { return !Get<QWidget>(name)->isHidden(); }
  QString Status();
  QStringList InfoLines();
  QStringList HistoryTexts();
  QStringList Entries(const char* list);  // a drop-down list's texts, in order

  // A user's choice in a list, through the list's own signal.
  void ChooseBook(const QString& title);
  void ChooseChapter(const QString& title);
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* target = nullptr);
  void Check(int row, bool checked = true);

  FakeHelp help;
  // The help viewer the window is given at Start: the fake above, unless a
  // test hands it the desktop's.
  ui::HelpViewer* helpViewer = &help;
  FakeSaveDialog saveDialog;
  FakeWarningBox warningBox;
  FakeClipboard clipboard;

 private:
  test::TempDir folder_;
  test::TempDir settingsFolder_;
  std::unique_ptr<test::WorkingFolder> working_;
  std::unique_ptr<ui::QSettingsStore> settings_;
  std::unique_ptr<ProbeWindow> window_;
  std::unique_ptr<TForm2> logWindow_;
};

}  // namespace vael::uitest
