#include "ui/HelpWindow.h"

#include <QFile>
#include <QFileInfo>

namespace vael::ui {

HelpWindow::HelpWindow(const QString& windowName) {
  setWindowTitle(QStringLiteral("Vael Help"));
  setObjectName(windowName);
  setOpenLinks(false);
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(420, 480);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpWindow::OpenLink);
}

bool HelpWindow::Open(const QString& helpFile) {
  helpFile_ = helpFile;
  QFile file(helpFile);
  if (!file.open(QIODevice::ReadOnly)) {
    document_ = {};
    setHtml(QStringLiteral("<p>Couldn't open the help file '%1'.</p>")
                .arg(QFileInfo(helpFile).fileName().toHtmlEscaped()));
    return false;
  }
  const QByteArray bytes = file.readAll();
  document_ = ParseHelpText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  return true;
}

void HelpWindow::ShowContents() { setHtml(ContentsHtml(document_)); }

void HelpWindow::ShowTopic(int number) {
  const HelpTopic* topic = document_.Find(number);
  if (topic == nullptr) {
    setHtml(QStringLiteral("<p>There is no topic %1 in '%2'.</p>")
                .arg(number)
                .arg(QFileInfo(helpFile_).fileName().toHtmlEscaped()));
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

HelpWindow* HelpWindowViewer::Window(const QString& windowName) {
  QPointer<HelpWindow>& window = windows_[windowName];
  if (window.isNull()) window = new HelpWindow(windowName);
  return window.data();
}

void HelpWindowViewer::ShowContents(const QString& helpFile) {
  HelpWindow* window = Window(QStringLiteral("main"));
  if (window->Open(helpFile)) window->ShowContents();
  window->setWindowTitle(QStringLiteral("Vael Help"));
  window->show();
  window->raise();
}

void HelpWindowViewer::ShowTopic(const QString& helpFile, const QString& windowName, int topic) {
  HelpWindow* window = Window(windowName);
  if (window->Open(helpFile)) window->ShowTopic(topic);
  window->show();
  window->raise();
}

void HelpWindowViewer::Close(const QString& bareFileName) {
  for (auto& [name, window] : windows_) {
    if (window.isNull()) continue;
    if (QFileInfo(window->helpFile()).fileName().compare(bareFileName, Qt::CaseInsensitive) == 0) {
      window->close();
    }
  }
}

}  // namespace vael::ui
