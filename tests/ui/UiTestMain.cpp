// Runs the window tests offscreen. Without an argument every class runs;
// with one, only the class of that name (CTest runs them one by one).

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <map>
#include <memory>

#include "UiTestSupport.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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
