// vael: the desktop window. It takes no arguments (only --help and
// --version, answered on the terminal); the working folder is where it finds
// its books, its help file and where it writes its log. A working folder
// without books gives way to the user's own library.

#include <QStyleFactory>

#include <exception>

#include "ui/Application.h"
#include "ui/Arguments.h"
#include "ui/HelpWindow.h"
#include "ui/Logview.h"
#include "ui/Maindlg.h"
#include "ui/QtPlatform.h"
#include "ui/StartFolder.h"

int main(int argc, char** argv) {
  if (const int status = vael::ui::AnswerInformationOptions(argc, argv); status != vael::ui::kOpenWindow) {
    return status;
  }
  vael::ui::Application application(argc, argv);
  if (const int status = vael::ui::RefuseOtherArguments(argc, argv); status != vael::ui::kOpenWindow) {
    return status;
  }
  application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  try {
    vael::ui::QSettingsStore settings;
    vael::ui::HelpWindowViewer help;
    vael::ui::FileSaveDialog saveDialog;
    vael::ui::MessageWarningBox warningBox;
    vael::ui::SystemClipboard clipboard;
    const vael::ui::Platform platform{&settings, &help, &saveDialog, &warningBox, &clipboard};

    const vael::ui::StartFolder start = vael::ui::EnterLibrary(vael::FindLibraryPlaces());
    TForm1 mainWindow(platform);
    vael::ui::ApplyStartFolder(mainWindow, start);
    TForm2 logWindow;
    mainWindow.SetLogWindow(&logWindow);
    help.KeepClearOf([&mainWindow] { return mainWindow.ExpandedFrame(); });
    return application.exec();
  } catch (const std::exception& error) {
    vael::ui::ShowError(QString::fromLocal8Bit(error.what()));
    return 1;
  }
}
