#include "ui/Logview.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

#include "ui_Logview.h"

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window), ui(new Ui::TForm2) {
  ui->setupUi(this);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSize(8);
  ui->mmoLogText->setFont(font);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect place = PlacementFor(screen->geometry().size());
    move(place.topLeft());
    resize(place.size());
  }
}

TForm2::~TForm2() { delete ui; }

QRect TForm2::PlacementFor(const QSize& screen) {
  return QRect(0, 0, screen.width() / 2 - 185, screen.height() - 32);
}

void TForm2::SetLogText(const QString& text) { ui->mmoLogText->setPlainText(text); }

QString TForm2::LogText() const { return ui->mmoLogText->toPlainText(); }

void TForm2::closeEvent(QCloseEvent* event) {
  // Hidden, not destroyed: the window lives until the program ends.
  event->accept();
  emit closedByUser();
}
