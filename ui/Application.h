#pragma once
// The application object: an error that escapes an event handler is shown
// in a standard error box and the program goes on.

#include <QApplication>

namespace vael::ui {

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

void ShowError(const QString& text);

}  // namespace vael::ui
