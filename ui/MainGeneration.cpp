// Generating names and pages, the list size box, the history check-list's
// events, copying the shown name and refreshing the log window.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>
#include <fstream>

#include "ui/Logview.h"
#include "ui/Maindlg.h"
#include "ui/TextCodec.h"
#include "ui_Maindlg.h"

using vael::ui::FromWindows1252;

namespace {

constexpr int kLogReadLimit = 16384;
// Each history entry keeps the name's own bytes beside its shown text.
constexpr int kNameBytesRole = Qt::UserRole;
// While a page is made the gauge repaints at most this often: a repaint
// costs far more than a name.
constexpr qint64 kGaugeRepaintMs = 15;

QListWidgetItem* HistoryItem(const std::string& name) {
  auto* item = new QListWidgetItem(FromWindows1252(name));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
  item->setData(kNameBytesRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  return item;
}

}  // namespace

void TForm1::InsertHistoryEntry(const std::string& name) {
  const QSignalBlocker blocker(ui->lbxHistory);
  ui->lbxHistory->insertItem(0, HistoryItem(name));
}

void TForm1::InsertHistoryPage(const std::vector<std::string>& names) {
  QListWidget* list = ui->lbxHistory;
  const QSignalBlocker blocker(list);
  // One batch, painted once: the newest name on top, as if each had been
  // inserted at the top in turn.
  list->setUpdatesEnabled(false);
  const int count = static_cast<int>(names.size());
  for (int row = 0; row < count; ++row) list->insertItem(row, HistoryItem(names[count - 1 - row]));
  list->setUpdatesEnabled(true);
}

std::vector<vael::HistoryItem> TForm1::HistoryItems() const {
  std::vector<vael::HistoryItem> items;
  items.reserve(static_cast<std::size_t>(ui->lbxHistory->count()));
  for (int row = 0; row < ui->lbxHistory->count(); ++row) {
    const QListWidgetItem* item = ui->lbxHistory->item(row);
    const QByteArray bytes = item->data(kNameBytesRole).toByteArray();
    items.push_back({std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     item->checkState() == Qt::Checked});
  }
  return items;
}

void TForm1::EnableHistoryCommands() {
  for (QWidget* control : {static_cast<QWidget*>(ui->lbxHistory), static_cast<QWidget*>(ui->btnClear),
                           static_cast<QWidget*>(ui->btnSelectAll),
                           static_cast<QWidget*>(ui->btnInvertSelection),
                           static_cast<QWidget*>(ui->btnDeselectAll)}) {
    control->setEnabled(true);
  }
}

void TForm1::SetSaveCopyEnabled() {
  ui->btnSave->setEnabled(checkedCount != 0);
  ui->btnCopy->setEnabled(checkedCount != 0);
}

void TForm1::btnNextClick() {
  if (!chapter->loaded) return;
  BusyCursor();
  QCoreApplication::processEvents();
  const std::string name = GenerateOne(1);
  ShowName(FromWindows1252(name));
  InsertHistoryEntry(name);
  ui->lbxHistory->setCurrentRow(0);
  EnableHistoryCommands();
  NormalCursor();
}

void TForm1::btnStorePageClick() {
  ebxPageSizeExit();
  if (!chapter->loaded) return;
  StartWork();
  ui->btnStorePage->setEnabled(false);
  ui->btnNext->setEnabled(false);
  ui->cmbBook->setEnabled(true);
  for (QWidget* control : {static_cast<QWidget*>(ui->cmbChapter), static_cast<QWidget*>(ui->lbxHistory),
                           static_cast<QWidget*>(ui->btnClear), static_cast<QWidget*>(ui->btnSelectAll),
                           static_cast<QWidget*>(ui->btnInvertSelection),
                           static_cast<QWidget*>(ui->btnDeselectAll)}) {
    control->setEnabled(false);
  }
  ShowName(QString());
  BusyCursor();
  QCoreApplication::processEvents();

  const int size = ui->ebxPageSize->text().toInt();
  ui->ggeProgress->setRange(0, size);
  ui->ggeProgress->setValue(0);
  ui->pnlGaugeHolder->show();
  // No messages run while the page grows; only the gauge repaints itself,
  // at its first step and then at most every kGaugeRepaintMs. The names go
  // into the list together at the end.
  std::vector<std::string> page;
  page.reserve(static_cast<std::size_t>(size));
  QElapsedTimer sinceRepaint;
  sinceRepaint.start();
  for (int i = 0; i < size; ++i) {
    page.push_back(GenerateOne(size));
    if (i == 0 || sinceRepaint.elapsed() >= kGaugeRepaintMs) {
      ui->ggeProgress->setValue(i);
      StepProgress();
      sinceRepaint.restart();
    }
  }
  ui->ggeProgress->setValue(size);
  InsertHistoryPage(page);
  ui->pnlGaugeHolder->hide();
  if (!optionsExpanded) btnOptionsClick();

  ui->btnStorePage->setEnabled(true);
  ui->btnNext->setEnabled(true);
  ui->cmbBook->setEnabled(true);
  ui->cmbChapter->setEnabled(true);
  ui->lbxHistory->setCurrentRow(0);
  EnableHistoryCommands();
  RestoreFocus();
  NormalCursor();
  ShowName(FromWindows1252(vael::HistoryEntry(*chapter, 0)));
  SetStatus(QStringLiteral("Generated ") + ui->ebxPageSize->text());
}

void TForm1::ebxPageSizeExit() {
  bool ok = false;
  int value = ui->ebxPageSize->text().trimmed().toInt(&ok);
  if (!ok || value == 0) value = 50;
  value = std::clamp(value, 2, 1000);
  // The box keeps the number itself, so " 3 " reads "3" in the status line.
  const QString text = QString::number(value);
  if (ui->ebxPageSize->text() != text) ui->ebxPageSize->setText(text);
  ui->btnStorePage->setStatusTip(QStringLiteral("Generate ") + text);
}

void TForm1::lbxHistoryClick() {
  if (const QListWidgetItem* item = ui->lbxHistory->currentItem()) ui->lblName->setText(item->text());
}

void TForm1::lbxHistoryClickCheck(QListWidgetItem* item) {
  if (item == nullptr) return;
  checkedCount += (item->checkState() == Qt::Checked) ? 1 : -1;
  SetSaveCopyEnabled();
}

bool TForm1::lbxHistoryKeyPress(QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return false;
  // No search by typing: only the space does something, it toggles the mark.
  if (text == QStringLiteral(" ")) {
    if (QListWidgetItem* item = ui->lbxHistory->currentItem()) {
      item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
  }
  return true;
}

void TForm1::lblNameDblClick() {
  if (ui->lblName->isHidden()) return;
  if (platform_.clipboard) platform_.clipboard->SetText(ui->lblName->text());
  SetStatus(QStringLiteral("Copied"));
}

void TForm1::ShowLog() {
  if (logWindow_ == nullptr) return;
  // A folder the user may not write (a library installed for everyone, a
  // read-only medium) still generates; the log window says why it is empty
  // rather than showing nothing or an older log.
  if (!chapter->logWritten) {
    logWindow_->SetLogText(QStringLiteral("The log of this name could not be written: Vael may not "
                                          "write the file \"!vel_log.txt\" in the folder %1, "
                                          "or the disk is full.")
                               .arg(QDir::toNativeSeparators(QDir::currentPath())));
    return;
  }
  std::ifstream file(baseFolder + "!vel_log.txt", std::ios::binary);
  if (!file) return;
  std::string bytes(kLogReadLimit, '\0');
  file.read(bytes.data(), kLogReadLimit);
  if (file.bad()) return;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  const std::size_t end = bytes.find('\0');
  if (end != std::string::npos) bytes.resize(end);
  logWindow_->SetLogText(FromWindows1252(bytes));
}
