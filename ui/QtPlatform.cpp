#include "ui/QtPlatform.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace vael::ui {

namespace {
const QStringList kSaveFilters = {QStringLiteral("Rich Text Format (*.rtf)"),
                                  QStringLiteral("Plain text (*.txt)")};
}

QSettingsStore::QSettingsStore() : settings_(QStringLiteral("Vael"), QString()) {}

QSettingsStore::~QSettingsStore() { settings_.sync(); }

std::optional<int> QSettingsStore::ReadInteger(const QString& name) {
  const QVariant value = settings_.value(name);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

void QSettingsStore::WriteInteger(const QString& name, int value) {
  settings_.setValue(name, value);
}

bool FileSaveDialog::Execute(const QString& folder, QString& fileName, int& filterIndex) {
  QFileDialog dialog(nullptr, QStringLiteral("Save Names"), folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The window asks its own overwrite question once the extension is known.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilters(kSaveFilters);
  const int index = (filterIndex == 2) ? 1 : 0;
  dialog.selectNameFilter(kSaveFilters[index]);
  if (!fileName.isEmpty()) dialog.selectFile(fileName);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  fileName = files.first();
  filterIndex = (dialog.selectedNameFilter() == kSaveFilters[1]) ? 2 : 1;
  return true;
}

bool MessageWarningBox::AskOkCancel(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

void SystemClipboard::SetText(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
}

}  // namespace vael::ui
