// The pin-naming dialog of the IC-definition view: the name of one pin of the IC being defined.
#pragma once

#include <string>
#include <string_view>

#include <QDialog>

class QLineEdit;

namespace kardo {

class frmICAnschluss : public QDialog {
    Q_OBJECT
  public:
    // nr: the pin's number; current: its name so far ("" for a new pin).
    frmICAnschluss(int nr, std::string_view current, QWidget* owner);
    std::string Name() const;

  private:
    QLineEdit* m_txt = nullptr; // txtAnschluss
};

} // namespace kardo
