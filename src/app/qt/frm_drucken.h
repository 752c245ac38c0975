// The print dialog frmDrucken: an installed printer or a PDF file (always offered) receives the
// whole sheet on one page, across the page when the sheet is wider than high; on request the
// definitions of the ICs the circuit uses follow, each on a page of its own.
#pragma once

#include "app/qt/dialog_services.h"

#include <string>
#include <vector>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kardo {

class PrinterTarget;

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
    // The circuit onto page, then the ICs when asked for; definitions that could not be printed
    // are added to problems.
    void PrintOnto(PrinterTarget& page, std::vector<std::string>& problems) const;

    QComboBox* m_printers = nullptr; // cmbDrucker
    QLineEdit* m_pdfFile = nullptr;  // txtPDFDatei
    QPushButton* m_browse = nullptr; // cmdDurchsuchen
    QLabel* m_orientation = nullptr; // lblAusrichtung
    QCheckBox* m_withICs = nullptr;  // chkICs: the used ICs' definitions are printed too
    std::string m_confirmedPath;     // PDF file the save dialog asked about overwriting
};

} // namespace kardo
