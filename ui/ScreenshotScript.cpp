#include "ui/ScreenshotScript.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>

#include "ui/Maindlg.h"

namespace vael::ui {
namespace {

// Selects the entry with this text (the first entry for an empty text) and
// runs the list's handler as a user's choice would.
bool Choose(QComboBox* list, const QString& text) {
  const int index = text.isEmpty() ? (list->count() > 0 ? 0 : -1) : list->findText(text);
  if (index < 0) return false;
  list->setCurrentIndex(index);
  emit list->activated(index);
  return true;
}

void RunSteps(TForm1& window, const QStringList& steps) {
  for (const QString& step : steps) {
    const QString argument = step.section(QLatin1Char(':'), 1);
    if (step.startsWith(QStringLiteral("book:"))) {
      Choose(window.findChild<QComboBox*>(QStringLiteral("cmbBook")), argument);
    } else if (step.startsWith(QStringLiteral("chapter:"))) {
      Choose(window.findChild<QComboBox*>(QStringLiteral("cmbChapter")), argument);
    } else if (step == QStringLiteral("next")) {
      window.btnNextClick();
    } else if (step == QStringLiteral("page")) {
      window.btnStorePageClick();
    } else if (step == QStringLiteral("close")) {
      window.SpeedButton1Click();
    } else if (step == QStringLiteral("help")) {
      window.btnHelpClick();
    } else if (step == QStringLiteral("info")) {
      window.findChild<QToolButton*>(QStringLiteral("btnInfo"))->click();
    } else if (step == QStringLiteral("log")) {
      window.findChild<QToolButton*>(QStringLiteral("btnLog"))->click();
    } else if (step.startsWith(QStringLiteral("check:"))) {
      auto* history = window.findChild<QListWidget*>(QStringLiteral("lbxHistory"));
      if (QListWidgetItem* item = history->item(argument.toInt())) item->setCheckState(Qt::Checked);
    } else if (step.startsWith(QStringLiteral("done:"))) {
      QFile marker(argument);
      if (marker.open(QIODevice::WriteOnly)) marker.close();
    }
  }
}

}  // namespace

void RunScreenshotScript(TForm1& window) {
  const QString script = qEnvironmentVariable("VAEL_SCREENSHOT_SCRIPT");
  if (script.isEmpty()) return;
  const QStringList steps = script.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QTimer::singleShot(300, &window, [&window, steps]() { RunSteps(window, steps); });
}

}  // namespace vael::ui
