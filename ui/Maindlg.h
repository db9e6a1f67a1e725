#pragma once
// TForm1, the main window: the shaped window with its information block and
// status line, the book and chapter lists, the generation commands, the
// history check-list, the options panel and the save and copy commands.
//
// The controls come from Maindlg.ui and keep their names there, so tests
// find them with findChild. Handlers carry the names of the control and
// event they serve and are public so that tests can run them directly.
// The window's code is split by subject: Maindlg.cpp (shell, settings,
// hints, keys), MainSelection.cpp (books, chapters, options panel),
// MainGeneration.cpp (names, pages, history list), MainExport.cpp
// (save, copy, clear and the check-mark commands) and MainDrop.cpp
// (chapters dropped on the window).

#include <QCursor>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Catalogue.h"
#include "core/Vael.h"
#include "export/Export.h"
#include "ui/Platform.h"

namespace Ui {
class TForm1;
}
class QListWidgetItem;
class QKeyEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class TForm2;

class TForm1 : public QWidget, public vael::LoadProgress {
  Q_OBJECT
 public:
  // Runs the whole start-up: reads the settings, shows the window and
  // scans the working folder for books.
  explicit TForm1(const vael::ui::Platform& platform, QWidget* parent = nullptr);
  // Writes the settings back and closes the help files.
  ~TForm1() override;

  // The log window lives beside this one; without it Log does nothing.
  void SetLogWindow(TForm2* window);

  // --- Operations every part of the window uses ---
  // The labels they fill take their texts as plain text (Maindlg.ui):
  // book and chapter texts come from files and are never read as markup.
  void ShowName(const QString& text);
  void ShowInfo(const QString& line1, const QString& line2, const QString& line3);
  void ShowAbout();
  void SetStatus(const QString& text);

  // --- Shell ---
  void btnOptionsClick();
  void btnHelpClick();
  void btnLogClick();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void cmbChapterDropDown();
  // Rows a drop-down list shows on a screen of this height.
  static int DropDownRows(int screenHeight, int itemHeight);
  // Answers whether the key was consumed: typing never picks a book or a
  // chapter, in the closed lists or in their open drop-downs.
  bool cmbChapterKeyPress(QKeyEvent* event);
  // Answers whether the key was consumed.
  bool FormKeyDown(QKeyEvent* event);

  // --- Books, chapters and the options panel ---
  void cmbBookChange();
  void cmbChapterChange();
  void btnInfoClick();
  void UpdateBookControls();
  void FillOptionsFromChapter();
  std::string GenerateOne(int count);
  // The screen area the window covers when expanded; the help windows keep
  // clear of it.
  QRect ExpandedFrame() const;

  // --- Names, pages and the history list ---
  void btnNextClick();
  void btnStorePageClick();
  void ebxPageSizeExit();
  void lbxHistoryClick();
  void lbxHistoryClickCheck(QListWidgetItem* item);
  // Answers whether the key was consumed.
  bool lbxHistoryKeyPress(QKeyEvent* event);
  void lblNameDblClick();
  void ShowLog();

  // --- Save, copy, clear and check marks ---
  void mniSaveClick();
  void mniCopyClick();
  void mniClearClick();
  void mniSelectAllClick();
  void mniDeselectAllClick();
  void mniInvertSelectionClick();

  // --- Chapters dropped on the window ---
  // Brings each file (*.vel, *.qch, *.txt) into the working folder as a
  // loose chapter and chooses the last one added under "Unbound"; a file
  // that does not load shows the failure lines. Paths are in the file
  // system's encoding.
  void FormDropFiles(const std::vector<std::string>& paths);

  // vael::LoadProgress: the loader advances the gauge.
  void StepProgress() override;
  void SetProgressPosition(int position) override;

  // --- State ---
  // Paths the program builds are relative to the working folder.
  const std::string baseFolder;
  std::string helpFilePath;
  // The selected book's folder and a '/', empty for "Unbound".
  std::string bookFolder;
  QString saveFolder;
  int saveFilterIndex = 1;  // the save dialog's filter, kept between saves
  bool optionsExpanded = false;
  bool statusShowsHint = false;
  int checkedCount = 0;
  std::vector<vael::BookEntry> bookTable;
  std::vector<vael::ChapterEntry> chapterCatalogue;
  std::unique_ptr<vael::TVaelChapter> chapter;
  // The pause with a full gauge after listing and loading, in milliseconds.
  int gaugePause = 500;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ConnectControls();
  // Scans the working folder for books and fills the book list afresh.
  void FillBookList();
  void ReadSettings();
  void WriteSettings();
  void SetInfoLine2(int top, bool bold);
  void OpenChapterHelp();
  void ShowHint(const QString& hint);
  void SetStatusText(const QString& text);
  void BusyCursor();
  void NormalCursor();
  void StartWork();
  void RestoreFocus();
  void ReleaseHeldStatus();
  void MinimiseOtherWindows(bool minimise);
  void PauseWithGauge();
  void DisableForSelection();
  void EnableHistoryCommands();
  void SetSaveCopyEnabled();
  void InsertHistoryEntry(const std::string& name);
  void InsertHistoryPage(const std::vector<std::string>& names);
  std::vector<vael::HistoryItem> HistoryItems() const;
  void SetAllChecks(bool (*mark)(bool));

  Ui::TForm1* ui;
  vael::ui::Platform platform_;
  TForm2* logWindow_ = nullptr;
  bool busy_ = false;
  // Loading and page generation disable the control that has the focus;
  // it gets the focus back once the work is done.
  QPointer<QWidget> focusBeforeWork_;
  // Controls enabled at the end of work report the pointer's control as if
  // the user had pointed at it; the work's result keeps the status line
  // until the pointer really moves, and then the last such hint shows.
  bool holdStatus_ = false;
  std::optional<QString> heldHint_;
  // The log and help windows that went down to the task bar with this one.
  std::vector<QPointer<QWidget>> minimisedWithWindow_;
  bool handCursor_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};
