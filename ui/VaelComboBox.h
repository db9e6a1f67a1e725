#pragma once
// A drop-down list that announces when it is about to open, so the window
// can size the list to the screen first.

#include <QComboBox>

class VaelComboBox : public QComboBox {
  Q_OBJECT
 public:
  using QComboBox::QComboBox;
  void showPopup() override {
    emit aboutToDropDown();
    QComboBox::showPopup();
  }

 signals:
  void aboutToDropDown();
};
