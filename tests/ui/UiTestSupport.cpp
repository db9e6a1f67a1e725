#include "UiTestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QSettings>

#include <filesystem>

namespace vael::uitest {

std::map<QString, TestFactory>& TestRegistry() {
  static std::map<QString, TestFactory> registry;
  return registry;
}

Registration::Registration(const char* name, TestFactory factory) {
  TestRegistry().emplace(QString::fromLatin1(name), std::move(factory));
}

bool FakeSaveDialog::Execute(const QString& folder, QString& fileName, int& filterIndex) {
  shown.push_back({folder, fileName});
  if (answers.empty()) return false;
  const Answer answer = answers.front();
  answers.pop_front();
  if (!answer.ok) return false;
  fileName = answer.fileName;
  filterIndex = answer.filterIndex;
  return true;
}

bool FakeWarningBox::AskOkCancel(const QString& text, const QString& caption) {
  asked << caption + ": " + text;
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void PointerEnters(QWidget* control) {
  QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(control, &event);
}

void PointerLeaves(QWidget* control) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(control, &event);
}

test::ChapterDraft LoadableChapter(const std::string& title, const std::string& genopt,
                                  std::vector<std::string> extraTags) {
  test::ChapterDraft chapter;
  chapter.title = title;
  chapter.line1 = title + " line one";
  chapter.line2 = title + " line two";
  chapter.author = "Tester";
  chapter.genopt = genopt;
  chapter.names = {"Baran", "Aldor", "Belin", "Doran", "Aramis", "Bolen",
                "Dunmar", "Abelar", "Borin", "Delmar", "Arvin", "Balan"};
  chapter.extraTags = std::move(extraTags);
  return chapter;
}

UiFixture::UiFixture() {
  working_ = std::make_unique<test::WorkingFolder>(folder_.path());
  // Every fixture has its own settings file: <settingsFolder>/Vael.conf.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(settingsFolder_.path().string()));
}

UiFixture::~UiFixture() {
  Stop();
  working_.reset();
}

void UiFixture::Write(const std::string& relativePath, const std::string& bytes) {
  const std::filesystem::path path = folder_.path() / relativePath;
  std::filesystem::create_directories(path.parent_path());
  test::WriteFile(path.string(), bytes);
}

void UiFixture::WriteBook(const std::string& folder, const std::string& description) {
  Write(folder + "/book.dat", description);
}

void UiFixture::WriteChapter(const std::string& relativePath, const test::ChapterDraft& chapter) {
  Write(relativePath, test::ChapterText(chapter));
}

std::string UiFixture::Path(const std::string& relativePath) const {
  return (folder_.path() / relativePath).string();
}

QString UiFixture::SettingsText() const {
  QFile file(QString::fromStdString((settingsFolder_.path() / "Vael.conf").string()));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

void UiFixture::WriteSettings(const QString& text) {
  test::WriteFile((settingsFolder_.path() / "Vael.conf").string(), text.toStdString());
}

ProbeWindow& UiFixture::Start() {
  settings_ = std::make_unique<ui::QSettingsStore>();
  const ui::Platform platform{settings_.get(), helpViewer, &saveDialog, &warningBox, &clipboard};
  window_ = std::make_unique<ProbeWindow>(platform);
  window_->gaugePause = 0;
  logWindow_ = std::make_unique<TForm2>();
  window_->SetLogWindow(logWindow_.get());
  return *window_;
}

void UiFixture::Stop() {
  window_.reset();
  logWindow_.reset();
  settings_.reset();
}

QString UiFixture::Status() { return Get<QLabel>("lblStatus")->text(); }

QStringList UiFixture::InfoLines() {
  return {Get<QLabel>("lblInfo1")->text(), Get<QLabel>("lblInfo2")->text(),
          Get<QLabel>("lblInfo3")->text()};
}

QStringList UiFixture::HistoryTexts() {
  QStringList texts;
  for (int row = 0; row < History()->count(); ++row) texts << History()->item(row)->text();
  return texts;
}

QStringList UiFixture::Entries(const char* list) {
  QStringList texts;
  for (int i = 0; i < List(list)->count(); ++i) texts << List(list)->itemText(i);
  return texts;
}

void UiFixture::ChooseBook(const QString& title) {
  QComboBox* list = List("cmbBook");
  const int index = list->findText(title);
  QVERIFY2(index >= 0, qPrintable("no book " + title));
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void UiFixture::ChooseChapter(const QString& title) {
  QComboBox* list = List("cmbChapter");
  const int index = list->findText(title);
  QVERIFY2(index >= 0, qPrintable("no chapter " + title));
  list->setCurrentIndex(index);
  emit list->activated(index);
}

void UiFixture::Key(int key, Qt::KeyboardModifiers modifiers, QWidget* target) {
  QWidget* receiver = target != nullptr ? target : QApplication::focusWidget();
  if (receiver == nullptr) receiver = window_.get();
  QTest::keyClick(receiver, static_cast<Qt::Key>(key), modifiers);
}

void UiFixture::Check(int row, bool checked) {
  History()->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

}  // namespace vael::uitest
