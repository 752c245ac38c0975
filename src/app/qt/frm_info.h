// The About box frmInfo: the program's name, its version and the operating-system name.
#pragma once

#include <QDialog>

namespace kardo {

class frmInfo : public QDialog {
    Q_OBJECT
  public:
    explicit frmInfo(QWidget* parent);
};

} // namespace kardo
