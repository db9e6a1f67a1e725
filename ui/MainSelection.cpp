// Choosing a book and a chapter, the chapter help button, and the options
// panel that a loaded chapter refills and that turns into generation requests.

#include <QApplication>
#include <QListWidget>

#include "ui/Maindlg.h"
#include "ui/SortedList.h"
#include "ui/TextCodec.h"
#include "ui_Maindlg.h"

using vael::ui::FromWindows1252;
using vael::ui::ToWindows1252;

namespace {

const QString kUnbound = QStringLiteral("Unbound");

}  // namespace

void TForm1::DisableForSelection() {
  ui->btnStorePage->setEnabled(false);
  ui->lbxHistory->clear();
  checkedCount = 0;
  for (QWidget* control :
       {static_cast<QWidget*>(ui->lbxHistory), static_cast<QWidget*>(ui->btnSave),
        static_cast<QWidget*>(ui->btnCopy), static_cast<QWidget*>(ui->btnClear),
        static_cast<QWidget*>(ui->btnSelectAll), static_cast<QWidget*>(ui->btnInvertSelection),
        static_cast<QWidget*>(ui->btnDeselectAll), static_cast<QWidget*>(ui->btnNext),
        static_cast<QWidget*>(ui->btnLog), static_cast<QWidget*>(ui->cmbBook),
        static_cast<QWidget*>(ui->cmbChapter)}) {
    control->setEnabled(false);
  }
}

void TForm1::UpdateBookControls() {
  const bool chapterChosen = !ui->cmbChapter->currentText().isEmpty();
  ui->btnNext->setEnabled(chapterChosen);
  ui->btnStorePage->setEnabled(chapterChosen);
  ui->btnLog->setEnabled(true);
  ui->cmbBook->setEnabled(true);
  ui->cmbChapter->setEnabled(ui->cmbChapter->count() > 0);
  NormalCursor();
}

void TForm1::cmbBookChange() {
  if (ui->cmbBook->currentIndex() < 0) return;
  StartWork();
  SetStatus(QStringLiteral("Loading book"));
  ShowName(QString());
  BusyCursor();
  DisableForSelection();
  QCoreApplication::processEvents();

  ui->btnLog->hide();
  ui->cmbChapter->clear();

  const QString selected = ui->cmbBook->currentText();
  std::optional<std::string> description;
  bookFolder.clear();
  if (selected != kUnbound) {
    const std::string title = ToWindows1252(selected);
    for (const vael::BookEntry& book : bookTable) {
      if (book.title == title) {
        bookFolder = book.folder + "/";
        description = vael::ReadBookDescription(book.folder);
        break;
      }
    }
    if (!description) {
      ShowInfo(QStringLiteral("FAILURE"), QStringLiteral("Attempt to open book failed."),
               QStringLiteral("Cause: Couldn't open 'book.dat' file."));
      SetStatus(QStringLiteral("No chapter"));
      ui->cmbBook->setCurrentIndex(-1);
      UpdateBookControls();
      ui->cmbBook->setFocus();
      return;
    }
  }

  SetInfoLine2(14, true);
  if (selected == kUnbound) {
    ShowInfo(QStringLiteral("Unbound Book"), QString(),
             QStringLiteral("See Help file to learn how to bind chapters into books."));
  } else {
    const vael::BookInfo info = vael::ReadBookInfo(*description);
    ShowInfo(FromWindows1252(info.line2), FromWindows1252(info.line3), FromWindows1252(info.line4));
  }

  vael::ListProgress progress;
  progress.start = [this](int minimum, int maximum, int position) {
    ui->ggeProgress->setRange(minimum, maximum);
    ui->ggeProgress->setValue(position);
    ui->pnlGaugeHolder->show();
    ui->pnlGaugeHolder->repaint();
  };
  progress.step = [this]() { StepProgress(); };
  chapterCatalogue = vael::ListChapters(bookFolder, progress);
  std::vector<std::string> chapterTitles;
  for (const vael::ChapterEntry& entry : chapterCatalogue) chapterTitles.push_back(entry.title);
  vael::ui::AddSorted(ui->cmbChapter, std::move(chapterTitles));
  ui->cmbChapter->setCurrentIndex(-1);
  ui->ggeProgress->setValue(ui->ggeProgress->maximum());
  PauseWithGauge();
  ui->pnlGaugeHolder->hide();

  UpdateBookControls();
  RestoreFocus();
  SetStatus(QStringLiteral("Book loaded"));
  NormalCursor();
}

void TForm1::cmbChapterChange() {
  if (ui->cmbChapter->currentIndex() < 0) return;
  StartWork();
  SetStatus(QStringLiteral("Loading chapter"));
  BusyCursor();
  DisableForSelection();
  ShowName(QString());
  QCoreApplication::processEvents();

  // Titles resolve to the first catalogue row that carries them.
  const std::string title = ToWindows1252(ui->cmbChapter->currentText());
  std::string path;
  for (const vael::ChapterEntry& entry : chapterCatalogue) {
    if (entry.title == title) {
      path = bookFolder + entry.fileName;
      break;
    }
  }

  ui->ggeProgress->setRange(1, vael::kProgressSteps);
  ui->ggeProgress->setValue(1);
  ui->pnlGaugeHolder->show();
  ui->pnlGaugeHolder->repaint();
  chapter->Load(path);
  PauseWithGauge();
  ui->pnlGaugeHolder->hide();

  if (chapter->loaded) {
    FillOptionsFromChapter();
    SetInfoLine2(16, false);
    ShowInfo(FromWindows1252(chapter->line1), FromWindows1252(chapter->line2),
             FromWindows1252(chapter->author));
    ui->btnInfo->setStatusTip(chapter->topic != "0" ? QStringLiteral("Chapter info")
                                                    : QStringLiteral("No chapter info"));
    for (QWidget* control : {static_cast<QWidget*>(ui->btnNext), static_cast<QWidget*>(ui->btnStorePage),
                             static_cast<QWidget*>(ui->btnLog), static_cast<QWidget*>(ui->cmbBook),
                             static_cast<QWidget*>(ui->cmbChapter)}) {
      control->setEnabled(true);
    }
    ui->btnLog->show();
    RestoreFocus();
    if (ui->btnInfo->isChecked() && chapter->topic != "0" && ui->cmbBook->currentText() != kUnbound) {
      OpenChapterHelp();
    }
    SetStatus(QStringLiteral("Chapter loaded"));
  } else {
    ShowInfo(QStringLiteral("FAILURE"), QStringLiteral("Attempt to open chapter failed."),
             QStringLiteral("Cause: ") + QString::fromStdString(chapter->ErrorTextUtf8()));
    ui->cmbChapter->setCurrentIndex(-1);
    ui->cmbBook->setEnabled(true);
    ui->cmbChapter->setEnabled(true);
    SetStatus(QStringLiteral("No chapter"));
    ui->cmbChapter->setFocus();
  }
  NormalCursor();
}

void TForm1::OpenChapterHelp() {
  if (platform_.help == nullptr) return;
  const int topic = QString::fromStdString(chapter->topic).trimmed().toInt();
  platform_.help->ShowTopic(bookFolder + "chapters.hlp",
                            QStringLiteral("basewin"), topic);
}

void TForm1::btnInfoClick() {
  if (!ui->btnInfo->isChecked()) {
    if (platform_.help) platform_.help->Close(QStringLiteral("chapters.hlp"));
    return;
  }
  if (ui->cmbChapter->currentIndex() < 0) return;
  if (chapter->topic == "0") return;
  if (ui->cmbBook->currentText() == kUnbound) return;
  OpenChapterHelp();
}

// --- Options panel ---

void TForm1::FillOptionsFromChapter() {
  ui->cmbInitLetter->clear();
  std::vector<std::string> letters{"*"};
  for (char letter : chapter->initialLetters) letters.emplace_back(1, letter);
  vael::ui::AddSorted(ui->cmbInitLetter, std::move(letters));
  // "*" is meant even when a sign such as an apostrophe sorts ahead of it.
  ui->cmbInitLetter->setCurrentIndex(ui->cmbInitLetter->findText(QStringLiteral("*")));

  if (!ui->cbxAutoOptions->isChecked()) return;
  ui->cbxStructural->setChecked(chapter->structGen);
  ui->cbxStatistical->setChecked(chapter->statGen);
  ui->cbxPrefix->setChecked(chapter->prefixOption);
  ui->cbxSuffix->setChecked(chapter->suffixOption);
  QRadioButton* const fitButtons[] = {ui->rbtFit0, ui->rbtFit1, ui->rbtFit2, ui->rbtFit3};
  if (chapter->fitLevel >= 0 && chapter->fitLevel <= 3) fitButtons[chapter->fitLevel]->setChecked(true);
}

std::string TForm1::GenerateOne(int count) {
  vael::GenerationOptions options;
  options.fit = ui->rbtFit3->isChecked()   ? 3
                : ui->rbtFit2->isChecked() ? 2
                : ui->rbtFit1->isChecked() ? 1
                                           : 0;
  options.val = chapter->valLevel;
  options.structural = ui->cbxStructural->isChecked();
  options.statistical = ui->cbxStatistical->isChecked();
  options.prefixes = ui->cbxPrefix->isChecked();
  options.suffixes = ui->cbxSuffix->isChecked();
  const std::string letter = ToWindows1252(ui->cmbInitLetter->currentText());
  options.initialLetter = letter.empty() ? '*' : letter.front();
  options.log = (count == 1);
  std::string name = vael::GenerateName(*chapter, options);
  if (options.log) ShowLog();
  return name;
}
