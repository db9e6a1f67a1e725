#include "ui/HelpWindow.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "catalogue/FolderEntries.h"

namespace vael::ui {

namespace {

constexpr int kGap = 8;  // between a help window and the area it keeps clear of
constexpr int kLeastHeight = 200;  // below the area; less and it moves up over it
const QString kContentsWindow = QStringLiteral("main");

}  // namespace

HelpWindow::HelpWindow(const QString& windowName) {
  setWindowTitle(QStringLiteral("Vael Help"));
  setObjectName(windowName);
  setOpenLinks(false);
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(420, 480);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);
}

bool HelpWindow::Open(const std::string& helpFile) {
  helpFile_ = helpFile;
  const std::optional<std::string> bytes = ReadWholeFile(helpFile);
  if (!bytes) {
    document_ = {};
    setHtml(QStringLiteral("<p>Couldn't open the help file '%1'.</p>").arg(FileName().toHtmlEscaped()));
    return false;
  }
  document_ = ParseHelpText(*bytes);
  return true;
}

QString HelpWindow::FileName() const {
  return QFile::decodeName(std::filesystem::path(helpFile_).filename().string().c_str());
}

void HelpWindow::ShowContents() { setHtml(ContentsHtml(document_)); }

void HelpWindow::ShowTopic(int number) {
  const HelpTopic* topic = document_.Find(number);
  if (topic == nullptr) {
    setHtml(QStringLiteral("<p>There is no topic %1 in '%2'.</p>")
                .arg(number)
                .arg(FileName().toHtmlEscaped()));
    return;
  }
  setWindowTitle(QStringLiteral("Vael Help - ") + topic->title);
  setHtml(TopicHtml(*topic) + QStringLiteral("<p><a href=\"contents:\">Contents</a></p>"));
}

void HelpWindow::OpenLink(const QUrl& link) {
  if (link.scheme() == QStringLiteral("topic")) {
    ShowTopic(link.path().toInt());
  } else if (link.scheme() == QStringLiteral("contents")) {
    ShowContents();
  }
}

HelpWindowViewer::~HelpWindowViewer() {
  for (auto& [name, window] : windows_) delete window.data();
}

void HelpWindowViewer::KeepClearOf(std::function<QRect()> area) { clearArea_ = std::move(area); }

QRect HelpWindowViewer::Placement(const QRect& area, const QRect& screen, const QSize& size, bool contents) {
  QRect place(QPoint(), size.boundedTo(screen.size()));
  if (contents) {
    place.moveTop(area.top());
    if (area.left() - kGap - place.width() >= screen.left()) {
      place.moveRight(area.left() - kGap - 1);
    } else {
      place.moveLeft(area.right() + 1 + kGap);
    }
  } else {
    place.moveTopLeft(QPoint(area.left(), area.bottom() + 1 + kGap));
    place.setWidth(std::min(place.width(), area.width()));
    place.setBottom(std::min(place.bottom(), screen.bottom()));
    if (place.height() < kLeastHeight) place.setHeight(std::min(size.height(), kLeastHeight));
  }
  // On the screen whatever the room: the window may then cover the area.
  place.moveRight(std::min(place.right(), screen.right()));
  place.moveLeft(std::max(place.left(), screen.left()));
  place.moveBottom(std::min(place.bottom(), screen.bottom()));
  place.moveTop(std::max(place.top(), screen.top()));
  return place;
}

HelpWindow* HelpWindowViewer::Window(const QString& windowName) {
  QPointer<HelpWindow>& window = windows_[windowName];
  if (window.isNull()) {
    window = new HelpWindow(windowName);
    // Placed once; where the user moves it afterwards is where it stays.
    if (clearArea_) {
      const QRect area = clearArea_();
      const QScreen* screen = QGuiApplication::screenAt(area.center());
      if (screen == nullptr) screen = QGuiApplication::primaryScreen();
      if (screen != nullptr) {
        const QRect place =
            Placement(area, screen->availableGeometry(), window->size(), windowName == kContentsWindow);
        window->move(place.topLeft());
        window->resize(place.size());
      }
    }
  }
  return window.data();
}

void HelpWindowViewer::ShowContents(const std::string& helpFile) {
  HelpWindow* window = Window(kContentsWindow);
  if (window->Open(helpFile)) window->ShowContents();
  window->setWindowTitle(QStringLiteral("Vael Help"));
  window->show();
  window->raise();
}

void HelpWindowViewer::ShowTopic(const std::string& helpFile, const QString& windowName, int topic) {
  HelpWindow* window = Window(windowName);
  if (window->Open(helpFile)) window->ShowTopic(topic);
  window->show();
  window->raise();
}

void HelpWindowViewer::Close(const QString& bareFileName) {
  for (auto& [name, window] : windows_) {
    if (window.isNull()) continue;
    if (window->FileName().compare(bareFileName, Qt::CaseInsensitive) == 0) {
      window->close();
    }
  }
}

}  // namespace vael::ui
