// The shell of the main window: start-up and shutdown, settings, shape and
// dragging, expand and collapse, the information block and status line,
// hints, the keyboard table and the log window button.

#include "ui/Maindlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusTipEvent>
#include <QThread>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <utility>

#include "ui/Artwork.h"
#include "ui/Logview.h"
#include "ui/TextCodec.h"
#include "core/Version.h"
#include "ui_Maindlg.h"

using vael::ui::FromWindows1252;

namespace {

const QString kRpgStats = QStringLiteral("RPG_Stats");
const QString kExtraLines = QStringLiteral("Extra_Lines");
const QString kListSize = QStringLiteral("List_Size");
constexpr int kDefaultSystem = 1;  // "Generic"
constexpr int kDefaultLines = 3;
constexpr int kDefaultListSize = 100;
constexpr int kUnreadableListSize = 50;

// The status line's width in the form, and how far left it may grow.
constexpr int kStatusWidth = 53;
constexpr int kStatusLeftmost = 230;

const QString kAbout1 = QString::fromLatin1(vael::kProductVersion.data(),
                                            static_cast<qsizetype>(vael::kProductVersion.size()));
const QString kAbout2 = QStringLiteral("New names in the style of your samples");
const QString kAbout3 = QStringLiteral("Choose a book, then a chapter");

// Dragging here moves the window: the strip left and right of the crest.
bool InTitleStrip(const QPoint& p) {
  return p.y() >= 40 && p.y() <= 56 &&
         ((p.x() >= 21 && p.x() <= 142) || (p.x() >= 226 && p.x() <= 333));
}

bool InHotSpot(const QPoint& p) {
  return p.x() >= 184 && p.x() <= 187 && p.y() >= 77 && p.y() <= 80;
}

int BottomEdge(const QWidget* marker) { return marker->y() + marker->height(); }

const char* const kStyleSheet = R"(
QLabel, QFrame#pnlInfo, QFrame#pnlHistory, QFrame#pnlGenOpts, QCheckBox, QRadioButton {
  background-color: rgb(242, 223, 190);
}
QLabel#Image1 { background: transparent; }
QLabel#lblAppTitle { color: white; background-color: black; font-weight: bold; }
QLabel#lblStatus { color: white; background-color: black; }
QFrame#pnlGaugeHolder { background-color: rgb(242, 223, 190); border: 1px solid rgb(122, 82, 40); }
QProgressBar { background-color: rgb(242, 223, 190); border: none; }
QProgressBar::chunk { background-color: navy; }
QListWidget, QLineEdit { background-color: white; }
/* The lists are white like the edit box, and drop down as plain lists so
   that the row count set before they open is the one they show. */
QComboBox { combobox-popup: 0; background-color: white; }
QToolButton#btnHelp, QToolButton#SpeedButton1, QToolButton#SpeedButton2 {
  background-color: black; border: none;
}
)";

}  // namespace

TForm1::TForm1(const vael::ui::Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      ui(new Ui::TForm1),
      platform_(platform) {
  ui->setupUi(this);
  setStyleSheet(QString::fromLatin1(kStyleSheet));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  setFont(font);
  // Children under a style sheet do not inherit the window's font.
  for (QWidget* child : findChildren<QWidget*>()) child->setFont(font);
  QFont titleFont(QStringLiteral("Liberation Sans"));
  titleFont.setPixelSize(11);
  titleFont.setBold(true);
  ui->lblAppTitle->setFont(titleFont);
  QFont nameFont(QStringLiteral("Liberation Serif"));
  nameFont.setPixelSize(32);
  nameFont.setItalic(true);
  ui->lblName->setFont(nameFont);
  QFont letterFont(QStringLiteral("Liberation Mono"));
  letterFont.setPixelSize(12);
  ui->cmbInitLetter->setFont(letterFont);
  QFont boldFont = font;
  boldFont.setBold(true);
  ui->lblInfo1->setFont(boldFont);
  ui->lblInfo2->setFont(boldFont);

  using vael::ui::Glyph;
  using vael::ui::GlyphIcon;
  ui->Image1->setPixmap(vael::ui::BackgroundPicture());
  ui->btnHelp->setIcon(GlyphIcon(Glyph::Help));
  ui->SpeedButton1->setIcon(GlyphIcon(Glyph::Close));
  ui->SpeedButton2->setIcon(GlyphIcon(Glyph::Minimize));
  ui->btnLog->setIcon(GlyphIcon(Glyph::Log));
  ui->btnInfo->setIcon(GlyphIcon(Glyph::Info));
  ui->btnStorePage->setIcon(GlyphIcon(Glyph::GeneratePage));
  ui->btnNext->setIcon(GlyphIcon(Glyph::GenerateNext));
  ui->btnSave->setIcon(GlyphIcon(Glyph::Save));
  ui->btnCopy->setIcon(GlyphIcon(Glyph::Copy));
  ui->btnClear->setIcon(GlyphIcon(Glyph::Clear));
  ui->btnSelectAll->setIcon(GlyphIcon(Glyph::SelectAll));
  ui->btnInvertSelection->setIcon(GlyphIcon(Glyph::InvertSelection));
  ui->btnDeselectAll->setIcon(GlyphIcon(Glyph::DeselectAll));
  // The picture and the strip's texts let the mouse through to the window,
  // which moves itself when the strip is dragged.
  for (QWidget* passive : {static_cast<QWidget*>(ui->Image1), static_cast<QWidget*>(ui->lblAppTitle),
                           static_cast<QWidget*>(ui->lblStatus)}) {
    passive->setAttribute(Qt::WA_TransparentForMouseEvents);
  }

  ConnectControls();
  // Chapters and lists of names may be dropped on the window.
  setAcceptDrops(true);
  // Every key reaches the window before the control that has the focus.
  qApp->installEventFilter(this);
  statusShowsHint = false;
  chapter = std::make_unique<vael::TVaelChapter>(this);

  setMask(vael::ui::WindowRegion());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().width() - width() - 32, 5);
  }

  ReadSettings();
  optionsExpanded = true;
  btnOptionsClick();

  SetStatusText(QString());
  SetInfoLine2(ui->lblInfo2->y(), false);
  ShowInfo(QString(), QString(), QString());

  show();
  BusyCursor();
  QCoreApplication::processEvents();

  helpFilePath = baseFolder + "vael.hlp";
  FillBookList();

  ShowAbout();
  for (QWidget* control : {static_cast<QWidget*>(ui->cmbBook), static_cast<QWidget*>(ui->cmbChapter),
                           static_cast<QWidget*>(ui->btnInfo), static_cast<QWidget*>(ui->btnNext),
                           static_cast<QWidget*>(ui->btnStorePage), static_cast<QWidget*>(ui->btnOptions)}) {
    control->show();
  }
  if (ui->cmbBook->isEnabled()) ui->cmbBook->setFocus();
  NormalCursor();
  QCoreApplication::processEvents();
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  WriteSettings();
  chapter.reset();
  if (platform_.help != nullptr) {
    platform_.help->Close(QStringLiteral("vael.hlp"));
    platform_.help->Close(QStringLiteral("chapters.hlp"));
  }
  delete ui;
}

void TForm1::SetLogWindow(TForm2* window) {
  logWindow_ = window;
  if (logWindow_ != nullptr) {
    connect(logWindow_, &TForm2::closedByUser, this, [this]() { ui->btnLog->setChecked(false); });
  }
}

void TForm1::ConnectControls() {
  connect(ui->btnOptions, &QToolButton::clicked, this, &TForm1::btnOptionsClick);
  connect(ui->btnHelp, &QToolButton::clicked, this, &TForm1::btnHelpClick);
  connect(ui->btnLog, &QToolButton::clicked, this, &TForm1::btnLogClick);
  connect(ui->SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  connect(ui->SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
  connect(ui->cmbBook, &QComboBox::activated, this, &TForm1::cmbBookChange);
  connect(ui->cmbChapter, &QComboBox::activated, this, &TForm1::cmbChapterChange);
  connect(ui->cmbBook, &VaelComboBox::aboutToDropDown, this, &TForm1::cmbChapterDropDown);
  connect(ui->cmbChapter, &VaelComboBox::aboutToDropDown, this, &TForm1::cmbChapterDropDown);
  connect(ui->btnInfo, &QToolButton::clicked, this, &TForm1::btnInfoClick);
  connect(ui->btnNext, &QToolButton::clicked, this, &TForm1::btnNextClick);
  connect(ui->btnStorePage, &QToolButton::clicked, this, &TForm1::btnStorePageClick);
  connect(ui->lbxHistory, &QListWidget::currentItemChanged, this, &TForm1::lbxHistoryClick);
  connect(ui->lbxHistory, &QListWidget::itemChanged, this, &TForm1::lbxHistoryClickCheck);
  connect(ui->btnSave, &QToolButton::clicked, this, &TForm1::mniSaveClick);
  connect(ui->btnCopy, &QToolButton::clicked, this, &TForm1::mniCopyClick);
  connect(ui->btnClear, &QToolButton::clicked, this, &TForm1::mniClearClick);
  connect(ui->btnSelectAll, &QToolButton::clicked, this, &TForm1::mniSelectAllClick);
  connect(ui->btnDeselectAll, &QToolButton::clicked, this, &TForm1::mniDeselectAllClick);
  connect(ui->btnInvertSelection, &QToolButton::clicked, this, &TForm1::mniInvertSelectionClick);
}

// --- Settings ---

void TForm1::ReadSettings() {
  // A damaged store must not put a control out of its range: such a value
  // takes the default, like an absent one.
  auto index = [this](const QString& name, int count, int fallback) {
    const std::optional<int> value =
        platform_.settings ? platform_.settings->ReadInteger(name) : std::nullopt;
    return (value && *value >= 0 && *value < count) ? *value : fallback;
  };
  ui->cmbSystem->setCurrentIndex(index(kRpgStats, ui->cmbSystem->count(), kDefaultSystem));
  ui->cmbDesc->setCurrentIndex(index(kExtraLines, ui->cmbDesc->count(), kDefaultLines));
  QString listSize = QString::number(kDefaultListSize);
  if (platform_.settings) {
    if (const std::optional<int> value = platform_.settings->ReadInteger(kListSize)) {
      const QString text = QString::number(*value);
      if (text.size() <= ui->ebxPageSize->maxLength()) listSize = text;
    }
  }
  ui->ebxPageSize->setText(listSize);
}

void TForm1::WriteSettings() {
  if (platform_.settings == nullptr) return;
  platform_.settings->WriteInteger(kRpgStats, ui->cmbSystem->currentIndex());
  platform_.settings->WriteInteger(kExtraLines, ui->cmbDesc->currentIndex());
  bool ok = false;
  const int listSize = ui->ebxPageSize->text().trimmed().toInt(&ok);
  platform_.settings->WriteInteger(kListSize, ok ? listSize : kUnreadableListSize);
}

// --- Information block and status line ---

void TForm1::ShowName(const QString& text) {
  ui->lblName->setText(text);
  ui->lblName->show();
  ui->pnlInfo->hide();
}

void TForm1::ShowInfo(const QString& line1, const QString& line2, const QString& line3) {
  ui->lblInfo1->setText(line1);
  ui->lblInfo2->setText(line2);
  ui->lblInfo3->setText(line3);
  ui->pnlInfo->show();
  ui->lblName->hide();
}

void TForm1::ShowAbout() {
  SetInfoLine2(18, false);
  ShowInfo(kAbout1, kAbout2, kAbout3);
}

void TForm1::SetStatus(const QString& text) {
  SetStatusText(text);
  statusShowsHint = false;
}

void TForm1::SetStatusText(const QString& text) {
  // The status line is right-aligned and grows to the left as far as the
  // crest, so that messages such as "Generated 1000" show whole.
  QLabel* status = ui->lblStatus;
  const int right = status->x() + status->width();
  const int width = std::clamp(status->fontMetrics().horizontalAdvance(text) + 4, kStatusWidth,
                               right - kStatusLeftmost);
  status->setGeometry(right - width, status->y(), width, status->height());
  status->setText(text);
}

void TForm1::SetInfoLine2(int top, bool bold) {
  ui->lblInfo2->move(ui->lblInfo2->x(), top);
  QFont font = ui->lblInfo2->font();
  font.setBold(bold);
  ui->lblInfo2->setFont(font);
}

// --- Hints ---

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QWidget::event(event);
}

void TForm1::ShowHint(const QString& hint) {
  if (holdStatus_) {
    heldHint_ = hint;
    return;
  }
  // A status message stays until a hint replaces it.
  if (hint.isEmpty() && !statusShowsHint) return;
  ebxPageSizeExit();
  SetStatusText(hint);
  statusShowsHint = true;
}

// --- Busy work ---

void TForm1::BusyCursor() {
  if (busy_) return;
  busy_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TForm1::NormalCursor() {
  if (!busy_) return;
  busy_ = false;
  QApplication::restoreOverrideCursor();
}

void TForm1::StartWork() {
  focusBeforeWork_ = focusWidget();
  holdStatus_ = true;
  heldHint_.reset();
}

void TForm1::RestoreFocus() {
  QWidget* control = focusBeforeWork_.data();
  focusBeforeWork_ = nullptr;
  if (control == nullptr || control == this) return;
  // A chapter list left empty by its book cannot take the focus back; the
  // book list is then the place to go on from.
  if (!control->isEnabled() || !control->isVisible()) control = ui->cmbBook;
  if (control->isEnabled() && control->isVisible() && focusWidget() != control) control->setFocus();
}

void TForm1::ReleaseHeldStatus() {
  holdStatus_ = false;
  if (std::optional<QString> hint = std::exchange(heldHint_, std::nullopt)) ShowHint(*hint);
}

void TForm1::PauseWithGauge() {
  if (gaugePause <= 0) return;
  ui->pnlGaugeHolder->repaint();
  QThread::msleep(static_cast<unsigned long>(gaugePause));
}

void TForm1::StepProgress() {
  ui->ggeProgress->setValue(ui->ggeProgress->value() + 1);
  ui->ggeProgress->repaint();
}

void TForm1::SetProgressPosition(int position) {
  ui->ggeProgress->setValue(position);
  ui->ggeProgress->repaint();
}

// --- Window buttons, shape and dragging ---

void TForm1::btnOptionsClick() {
  const int height = optionsExpanded ? BottomEdge(ui->stxSmallArea) : BottomEdge(ui->stxLargeArea);
  setFixedSize(width(), height);
  ui->btnOptions->setIcon(vael::ui::OptionsImage(optionsExpanded ? 0 : 1));
  ui->btnOptions->setStatusTip(optionsExpanded ? QStringLiteral("Expand") : QStringLiteral("Collapse"));
  optionsExpanded = !optionsExpanded;
}

void TForm1::btnHelpClick() {
  ShowAbout();
  if (platform_.help) platform_.help->ShowContents(helpFilePath);
}

void TForm1::btnLogClick() {
  if (logWindow_ != nullptr) logWindow_->setVisible(ui->btnLog->isChecked());
  // Activating the window hands the keyboard back to the control that had it.
  activateWindow();
}

void TForm1::SpeedButton1Click() { close(); }

void TForm1::SpeedButton2Click() { showMinimized(); }

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    const bool was = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
    const bool is = windowState() & Qt::WindowMinimized;
    if (is != was) MinimiseOtherWindows(is);
  }
  QWidget::changeEvent(event);
}

void TForm1::MinimiseOtherWindows(bool minimise) {
  // The program goes to the task bar as a whole, the log and help windows
  // with the main window, and comes back as a whole.
  if (minimise) {
    minimisedWithWindow_.clear();
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window == this || window->windowType() != Qt::Window || !window->isVisible() ||
          window->isMinimized()) {
        continue;
      }
      minimisedWithWindow_.emplace_back(window);
      window->setWindowState(window->windowState() | Qt::WindowMinimized);
    }
    return;
  }
  for (const QPointer<QWidget>& window : std::exchange(minimisedWithWindow_, {})) {
    if (window.isNull() || !window->isVisible()) continue;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  }
}

QRect TForm1::ExpandedFrame() const {
  QRect frame = frameGeometry();
  frame.setHeight(frame.height() - height() + BottomEdge(ui->stxLargeArea));
  return frame;
}

int TForm1::DropDownRows(int screenHeight, int itemHeight) {
  if (itemHeight <= 0) return 8;
  return std::max(8, (screenHeight - 160 + 32) / itemHeight);
}

void TForm1::cmbChapterDropDown() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  for (QComboBox* list : {static_cast<QComboBox*>(ui->cmbBook), static_cast<QComboBox*>(ui->cmbChapter)}) {
    int itemHeight = list->view()->sizeHintForRow(0);
    if (itemHeight <= 0) itemHeight = list->fontMetrics().height();
    list->setMaxVisibleItems(DropDownRows(screen->geometry().height(), itemHeight));
  }
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint point = event->position().toPoint();
  if (InTitleStrip(point)) {
    // Without a window manager the system move is refused; move by hand.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - pos();
    return;
  }
  if (InHotSpot(point)) {
    QApplication::setOverrideCursor(Qt::PointingHandCursor);
    handCursor_ = true;
    QCoreApplication::processEvents();
    QThread::msleep(500);
  }
  QWidget::mousePressEvent(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - dragOffset_);
    return;
  }
  QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
    if (handCursor_) {
      handCursor_ = false;
      QApplication::restoreOverrideCursor();
    }
  }
  QWidget::mouseReleaseEvent(event);
}

// --- Keys and the small events of single controls ---

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      // An open drop-down is a window of its own; the key filter of the two
      // lists holds there too, and nothing else of the window's keys does.
      if (watched == ui->cmbBook->view() || watched == ui->cmbChapter->view()) {
        return cmbChapterKeyPress(key);
      }
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget == nullptr || widget->window() != this) break;
      // The space reaches the controls where it means something: it
      // toggles a history entry's mark and is typed into an edit box.
      const bool spaceForControl = key->key() == Qt::Key_Space &&
                                   (watched == ui->lbxHistory || qobject_cast<QLineEdit*>(watched) != nullptr);
      if (!spaceForControl && FormKeyDown(key)) return true;
      if (watched == ui->lbxHistory) return lbxHistoryKeyPress(key);
      if (watched == ui->cmbBook || watched == ui->cmbChapter) return cmbChapterKeyPress(key);
      break;
    }
    case QEvent::MouseMove:
      // Only the window system's own pointer moves count, not the moves Qt
      // makes up for controls that change under a resting pointer.
      if (holdStatus_ && !busy_ && watched == windowHandle()) ReleaseHeldStatus();
      break;
    case QEvent::StatusTip:
      // The page button's hint names the list size: validate the box first,
      // so the hint shows the size a page would have now.
      if (watched == ui->btnStorePage && !static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        ebxPageSizeExit();
        ShowHint(ui->btnStorePage->statusTip());
        return true;
      }
      break;
    case QEvent::FocusOut:
      if (watched == ui->ebxPageSize) ebxPageSizeExit();
      break;
    case QEvent::MouseButtonDblClick:
      if (watched == ui->lblName) {
        lblNameDblClick();
        return true;
      }
      // Anywhere in the history list, on an entry or below the last one.
      if (watched == ui->lbxHistory->viewport()) mniCopyClick();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool TForm1::cmbChapterKeyPress(QKeyEvent* event) {
  const QString text = event->text();
  return !text.isEmpty() && text.at(0).isPrint() && text != QStringLiteral(" ");
}

bool TForm1::FormKeyDown(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool ctrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
  const bool shift = modifiers & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (ui->btnNext->isEnabled()) btnNextClick();
      return true;
    case Qt::Key_Space:
      return ui->lbxHistory->currentRow() >= 0;
    case Qt::Key_Up:
      if (!ctrl) return false;
      if (optionsExpanded) btnOptionsClick();
      return true;
    case Qt::Key_Down:
      if (!ctrl) return false;
      if (!optionsExpanded) btnOptionsClick();
      return true;
    case Qt::Key_A:
      if (!ctrl) return false;
      if (shift && ui->btnDeselectAll->isEnabled()) {
        mniDeselectAllClick();
      } else if (ui->btnSelectAll->isEnabled()) {
        mniSelectAllClick();
      }
      return true;
    case Qt::Key_C:
      if (!ctrl) return false;
      mniCopyClick();
      return true;
    case Qt::Key_I:
      if (!ctrl) return false;
      if (ui->btnInvertSelection->isEnabled()) mniInvertSelectionClick();
      return true;
    case Qt::Key_S:
      if (!ctrl) return false;
      if (ui->btnSave->isEnabled()) mniSaveClick();
      return true;
    case Qt::Key_X:
      if (!ctrl) return false;
      if (ui->btnClear->isEnabled()) mniClearClick();
      return true;
    case Qt::Key_F1:
      btnHelpClick();
      return true;
    default:
      return false;
  }
}
