#include "ui/StartFolder.h"

#include <QFile>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ui/Maindlg.h"

namespace vael::ui {

StartFolder EnterLibrary(const LibraryPlaces& places) {
  StartFolder start;
  const LibraryChoice choice = ChooseLibrary("", places);
  start.cause = QString::fromLocal8Bit(choice.cause.c_str());
  start.folder = QFile::decodeName(choice.failedFolder.c_str());
  if (!choice.folder.empty()) {
    std::error_code error;
    std::filesystem::current_path(choice.folder, error);
    if (error) {
      start.cause = QStringLiteral("Couldn't open your library (%1).")
                        .arg(QString::fromLocal8Bit(error.message().c_str()));
      start.folder = QFile::decodeName(choice.folder.c_str());
    }
  }
  start.helpFile = HelpFilePath(places);
  return start;
}

void ApplyStartFolder(TForm1& window, const StartFolder& start) {
  window.helpFilePath = start.helpFile;
  if (start.cause.isEmpty()) return;
  window.ShowInfo(QStringLiteral("FAILURE"), start.cause, start.folder);
  const QString line = start.folder.isEmpty() ? start.cause : start.cause + QLatin1Char(' ') + start.folder;
  std::fprintf(stderr, "vael: %s\n", line.toLocal8Bit().constData());
}

}  // namespace vael::ui
