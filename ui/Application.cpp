#include "ui/Application.h"

#include <QMessageBox>

#include <exception>

namespace vael::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Vael"));
  // Ties the window to its menu entry and icon (org.vaelorn.Vael.desktop).
  setDesktopFileName(QStringLiteral("org.vaelorn.Vael"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowError(QString::fromLocal8Bit(error.what()));
  } catch (...) {
    ShowError(QStringLiteral("An unexpected error occurred."));
  }
  return false;
}

void ShowError(const QString& text) {
  QMessageBox::critical(nullptr, QStringLiteral("Vael"), text);
}

}  // namespace vael::ui
