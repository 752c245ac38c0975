// The splash window frmBevorStart: the start picture, the version, the operating-system name and
// a status label into which the main window's load writes its stage texts.
#pragma once

#include <string_view>

#include <QWidget>

class QLabel;

namespace kardo {

class frmBevorStart : public QWidget {
    Q_OBJECT
  public:
    explicit frmBevorStart(QWidget* parent = nullptr);
    // Writes a stage text into the status label.
    void SetStatus(std::string_view text);
    std::string_view Status() const;

  private:
    QLabel* m_status = nullptr; // lblStatus
    std::string m_text;         // its text as given
};

} // namespace kardo
