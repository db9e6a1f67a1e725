#pragma once
// TForm2, the generation log window: one read-only view of the log of the
// last single generation. Created hidden at start-up; the main window's Log
// button shows and hides it, its own close box only hides it.

#include <QRect>
#include <QWidget>

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // Replaces the whole text, whether the window is shown or not.
  void SetLogText(const QString& text);
  QString LogText() const;

  // Left 0, top 0, half the screen's width less 185, its height less 32.
  static QRect PlacementFor(const QSize& screen);

 signals:
  // The user closed the window with its close box.
  void closedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Ui::TForm2* ui;
};
