// The print dialog frmDrucken: an installed printer or a PDF file (always offered) receives the
// whole sheet on one page, across the page when the sheet is wider than high.
#pragma once

#include "app/qt/dialog_services.h"

#include <string>

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kardo {

class frmDrucken : public QDialog {
    Q_OBJECT
  public:
    // The entry of cmbDrucker that writes a PDF file.
    static constexpr const char* kPdfEntry = "PDF-Datei";

    explicit frmDrucken(const DialogServices& services);

  private:
    void ChoiceChanged();
    void Browse();
    // "&Drucken": prints and closes; a failure gets its message and the dialog stays.
    void Print();
    bool PrintToPdf();
    bool PrintToPrinter(const QString& name);

    QComboBox* m_printers = nullptr; // cmbDrucker
    QLineEdit* m_pdfFile = nullptr;  // txtPDFDatei
    QPushButton* m_browse = nullptr; // cmdDurchsuchen
    QLabel* m_orientation = nullptr; // lblAusrichtung
    std::string m_confirmedPath;     // PDF file the save dialog asked about overwriting
};

} // namespace kardo
