// The number-base converter frmNumberConversion: decimal, hexadecimal, octal and binary boxes
// that follow each other as one is typed in; a bad digit or a number beyond 4294967295 is
// marked with a hint and the other boxes keep their values.
#pragma once

#include <array>

#include <QDialog>

class QLabel;
class QLineEdit;

namespace kardo {

class frmNumberConversion : public QDialog {
    Q_OBJECT
  public:
    explicit frmNumberConversion(QWidget* parent);

  private:
    // A box was edited: the others follow its value, or the hint says why there is none.
    void Edited(std::size_t box);

    std::array<QLineEdit*, 4> m_boxes{}; // txtDezimal, txtHexadezimal, txtOktal, txtBinaer
    QLabel* m_hint = nullptr;            // lblHinweis
};

} // namespace kardo
