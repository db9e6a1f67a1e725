// Chapters dropped on the window: each file is brought into the working
// folder as a loose chapter (a plain list written as a chapter first), and
// the last one added is chosen under "Unbound".

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "catalogue/ChapterImport.h"
#include "ui/Maindlg.h"
#include "ui/SortedList.h"
#include "ui/TextCodec.h"
#include "ui_Maindlg.h"

using vael::ui::FromWindows1252;

namespace {

const QString kUnbound = QStringLiteral("Unbound");

// The file-system name of a local file's URL. A desktop sends a name's
// bytes percent-encoded; a name that is not UTF-8 (one from an older
// encoding) does not survive a trip through text, so the bytes are taken
// as they came.
std::string LocalPath(const QUrl& url) {
  if (!url.host().isEmpty()) return QFile::encodeName(url.toLocalFile()).toStdString();
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// The local files of a drop that can become chapters; other files are not
// taken, so the pointer shows at once that they cannot be dropped.
std::vector<std::string> ChapterFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const std::string path = LocalPath(url);
    const QString suffix = QFileInfo(QFile::decodeName(path.c_str())).suffix().toLower();
    if (suffix == QLatin1String("vel") || suffix == QLatin1String("qch") || suffix == QLatin1String("txt")) {
      paths.push_back(path);
    }
  }
  return paths;
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!busy_ && !ChapterFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (!busy_ && !ChapterFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = ChapterFiles(event->mimeData());
  if (busy_ || paths.empty()) return;
  event->acceptProposedAction();
  // The program the file came from waits for the drop to end; the work
  // (a list's options are tried on its names) comes after.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)]() { FormDropFiles(paths); });
}

void TForm1::FillBookList() {
  const vael::BookScan scan = vael::ScanBooks(baseFolder);
  bookTable = scan.books;
  std::vector<std::string> bookTitles;
  if (scan.unbound) bookTitles.push_back("Unbound");
  for (const vael::BookEntry& book : bookTable) bookTitles.push_back(book.title);
  ui->cmbBook->clear();
  vael::ui::AddSorted(ui->cmbBook, std::move(bookTitles));
  ui->cmbBook->setCurrentIndex(-1);
  ui->cmbBook->setEnabled(ui->cmbBook->count() > 0);
}

void TForm1::FormDropFiles(const std::vector<std::string>& paths) {
  if (busy_ || paths.empty()) return;
  StartWork();
  SetStatus(QStringLiteral("Adding chapter"));
  BusyCursor();
  ui->lblStatus->repaint();

  std::optional<std::string> lastAdded;
  std::size_t namesLeftOut = 0;
  std::string failure;
  for (const std::string& path : paths) {
    const vael::ChapterImport import = vael::ImportChapter(path, baseFolder);
    if (import.added) {
      lastAdded = import.fileName;
      namesLeftOut += import.namesLeftOut;
    } else if (failure.empty()) {
      failure = import.failure;
    }
  }
  NormalCursor();

  bool chosen = false;
  if (lastAdded) {
    FillBookList();
    ui->cmbBook->setCurrentIndex(ui->cmbBook->findText(kUnbound, Qt::MatchExactly));
    cmbBookChange();
    // Titles choose chapters; the new one is chosen only when its title
    // leads to it (a compiled chapter with a title already listed is not
    // listed at all).
    const vael::ChapterEntry* first = nullptr;
    const vael::ChapterEntry* added = nullptr;
    for (const vael::ChapterEntry& entry : chapterCatalogue) {
      if (entry.fileName == *lastAdded) added = &entry;
    }
    if (added != nullptr) {
      for (const vael::ChapterEntry& entry : chapterCatalogue) {
        if (entry.title == added->title) {
          first = &entry;
          break;
        }
      }
    }
    if (added != nullptr && first == added) {
      ui->cmbChapter->setCurrentIndex(ui->cmbChapter->findText(FromWindows1252(added->title), Qt::MatchExactly));
      cmbChapterChange();
      chosen = chapter->loaded;
    }
  }
  if (!failure.empty()) {
    ShowInfo(QStringLiteral("FAILURE"), QStringLiteral("Attempt to open chapter failed."),
             QStringLiteral("Cause: ") + QString::fromStdString(failure));
    SetStatus(lastAdded ? QStringLiteral("Not all added") : QStringLiteral("Chapter not added"));
  } else if (!chosen) {
    SetStatus(QStringLiteral("Title in use"));
  } else if (namesLeftOut > 0) {
    // The chapter is chosen, which says it was added; the status line has
    // room for little more than the names the list lost.
    SetStatus(namesLeftOut == 1 ? QStringLiteral("1 name left out")
                                : QStringLiteral("%1 names left out").arg(namesLeftOut));
  } else {
    SetStatus(QStringLiteral("Chapter added"));
  }
}
