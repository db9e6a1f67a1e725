// Saving the checked names, copying them, clearing the history and the
// check-mark commands.

#include <QFileInfo>
#include <QListWidget>
#include <QFile>
#include <QSignalBlocker>

#include "core/Vael.h"
#include "export/Export.h"
#include "ui/Maindlg.h"
#include "ui/TextCodec.h"
#include "ui_Maindlg.h"

using vael::ui::FromWindows1252;
using vael::ui::ToWindows1252;

namespace {

bool HasExtension(const QString& fileName) {
  return QFileInfo(fileName).fileName().contains(QLatin1Char('.'));
}

}  // namespace

void TForm1::mniSaveClick() {
  if (platform_.saveDialog == nullptr) return;
  QString dialogName;
  QString path;
  for (;;) {
    if (!platform_.saveDialog->Execute(saveFolder, dialogName, saveFilterIndex)) return;
    path = dialogName;
    if (!HasExtension(path)) {
      path += (saveFilterIndex == 2) ? QStringLiteral(".txt") : QStringLiteral(".rtf");
    }
    if (!QFileInfo::exists(path)) break;
    const bool overwrite = platform_.warningBox != nullptr &&
                           platform_.warningBox->AskOkCancel(
                               QStringLiteral("The file is about to be overwritten."),
                               QFileInfo(path).fileName());
    if (overwrite) break;
    dialogName.clear();
  }

  const vael::DocumentFormat format =
      (saveFilterIndex == 2) ? vael::DocumentFormat::PlainText : vael::DocumentFormat::RichText;
  const std::string document =
      vael::NamesDocument(format, ToWindows1252(ui->cmbChapter->currentText()), chapter->line1,
                          ui->cmbSystem->currentIndex(), ui->cmbDesc->currentIndex(), HistoryItems());
  // A failed save keeps the file that was there, unless its folder allowed
  // only writing it over in place.
  if (vael::ReplaceFile(QFile::encodeName(path).toStdString(), document).written) {
    SetStatus(QStringLiteral("Saved"));
  } else {
    ShowInfo(QStringLiteral("FAILURE"), QStringLiteral("Couldn't write to file"),
             QFileInfo(dialogName).fileName());
  }
  saveFolder = QFileInfo(dialogName).absolutePath();
}

void TForm1::mniCopyClick() {
  const std::vector<vael::HistoryItem> items = HistoryItems();
  const int selected = ui->lbxHistory->currentRow();
  // With nothing checked and no entry chosen there is nothing to copy.
  if (checkedCount == 0 && (selected < 0 || selected >= static_cast<int>(items.size()))) return;
  const std::string text = vael::CopyText(items, selected);
  if (platform_.clipboard) platform_.clipboard->SetText(FromWindows1252(text));
  SetStatus(QStringLiteral("Copied"));
}

void TForm1::mniClearClick() {
  {
    const QSignalBlocker blocker(ui->lbxHistory);
    ui->lbxHistory->clear();
  }
  checkedCount = 0;
  for (QWidget* control :
       {static_cast<QWidget*>(ui->btnSave), static_cast<QWidget*>(ui->btnCopy),
        static_cast<QWidget*>(ui->btnClear), static_cast<QWidget*>(ui->btnSelectAll),
        static_cast<QWidget*>(ui->btnInvertSelection), static_cast<QWidget*>(ui->btnDeselectAll)}) {
    control->setEnabled(false);
  }
  SetStatus(QStringLiteral("Cleared"));
}

void TForm1::SetAllChecks(bool (*mark)(bool)) {
  const QSignalBlocker blocker(ui->lbxHistory);
  int count = 0;
  for (int row = 0; row < ui->lbxHistory->count(); ++row) {
    QListWidgetItem* item = ui->lbxHistory->item(row);
    const bool checked = mark(item->checkState() == Qt::Checked);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    if (checked) ++count;
  }
  checkedCount = count;
  SetSaveCopyEnabled();
}

void TForm1::mniSelectAllClick() {
  SetAllChecks([](bool) { return true; });
}

void TForm1::mniDeselectAllClick() {
  SetAllChecks([](bool) { return false; });
}

void TForm1::mniInvertSelectionClick() {
  SetAllChecks([](bool checked) { return !checked; });
}
