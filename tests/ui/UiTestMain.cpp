// Runs the window tests offscreen, or on the X display that QT_QPA_PLATFORM
// names. Without an argument every class runs; with one, only the class of
// that name (CTest runs them one by one).

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "UiTestSupport.h"

int main(int argc, char** argv) {
  // Offscreen, the screen is the 1024 x 768 one the window is laid out for.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VAEL_UI_TEST_DATA "/offscreen-1024x768.json");
  }
  QApplication application(argc, argv);
  const auto& registry = vael::uitest::TestRegistry();
  const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (!only.isEmpty() && registry.find(only) == registry.end()) {
    qWarning("no test class %s", argv[1]);
    return 2;
  }
  int failures = 0;
  for (const auto& [name, make] : registry) {
    if (!only.isEmpty() && name != only) continue;
    std::unique_ptr<QObject> test = make();
    char* arguments[] = {argv[0]};
    failures += QTest::qExec(test.get(), 1, arguments);
  }
  return failures == 0 ? 0 : 1;
}
