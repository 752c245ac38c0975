// The print dialog and the printout onto a printer or into a PDF file.
#include "app/qt/frm_drucken.h"

#include "app/file_object.h"
#include "app/ic_printout.h"
#include "app/settings.h"
#include "app/sheet_output.h"
#include "files/atomic_file.h"
#include "files/circuit_file.h"
#include "files/text_helpers.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "platform/qt/printer_target.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace kardo {

namespace {

QString Utf8(const char* s) { return QString::fromUtf8(s); }

// 10 mm of white around the sheet, in page pixels.
constexpr int kMargin = PrinterTarget::kResolution * 10 * 10 / 254;

QPageLayout::Orientation SheetOrientation() {
    return PrintLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The PDF file offered first: the circuit's name in its folder, else "Schaltung.pdf" in the
// circuits folder.
std::string DefaultPdfPath() {
    std::string title = GetFileTitle(gFile.FileName);
    if (HasExtension(title, ".kdx"))
        title.resize(title.size() - 4);
    if (title.empty())
        title = "Schaltung";
    const std::string folder = !gFile.FilePath.empty() ? gFile.FilePath : gVerzeichnisse[0];
    return folder + title + ".pdf";
}

void PrintFailed(const std::string& text) {
    Host().MessageBox("Der Ausdruck ist fehlgeschlagen.\r\n" + text, MsgButtons::Ok,
                      MsgIcon::Exclamation, "Drucken");
}

// The rest was printed; these definitions were left out.
void ReportICsLeftOut(const std::vector<std::string>& problems) {
    if (problems.empty())
        return;
    std::string text = "Folgende ICs konnten nicht gedruckt werden:";
    for (const std::string& p : problems)
        text.append("\r\n\r\n").append(p);
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Drucken");
}

} // namespace

frmDrucken::frmDrucken(const DialogServices& services) : QDialog(services.owner) {
    setObjectName("frmDrucken");
    setWindowTitle(Utf8("Drucken"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    m_printers = new QComboBox(this);
    m_printers->setObjectName("cmbDrucker");
    const QString standard = QPrinterInfo::defaultPrinterName();
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        m_printers->addItem(name);
    m_printers->addItem(Utf8(kPdfEntry));
    const int first = m_printers->findText(standard);
    m_printers->setCurrentIndex(!standard.isEmpty() && first >= 0 ? first
                                                                  : m_printers->count() - 1);
    form->addRow(Utf8("Drucker:"), m_printers);

    auto* fileRow = new QHBoxLayout();
    m_pdfFile = new QLineEdit(QString::fromStdString(DefaultPdfPath()), this);
    m_pdfFile->setObjectName("txtPDFDatei");
    m_pdfFile->setMinimumWidth(320);
    m_browse = new QPushButton(Utf8("Durchsuchen..."), this);
    m_browse->setObjectName("cmdDurchsuchen");
    fileRow->addWidget(m_pdfFile, 1);
    fileRow->addWidget(m_browse);
    form->addRow(Utf8("PDF-Datei:"), fileRow);

    m_orientation = new QLabel(this);
    m_orientation->setObjectName("lblAusrichtung");
    m_orientation->setText(Utf8(PrintLandscape() ? "Querformat" : "Hochformat") +
                           Utf8(", das ganze Arbeitsfeld auf einer Seite"));
    form->addRow(Utf8("Ausrichtung:"), m_orientation);
    v->addLayout(form);
    m_withICs = new QCheckBox(Utf8("Verwendete ICs mitdrucken"), this);
    m_withICs->setObjectName("chkICs");
    m_withICs->setToolTip(Utf8("Die Definition jedes in der Schaltung verwendeten ICs folgt auf "
                               "einer eigenen Seite."));
    m_withICs->setEnabled(!gPowerOn && !UsedICNames().empty());
    v->addWidget(m_withICs);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton(Utf8("&Drucken"), QDialogButtonBox::AcceptRole);
    print->setObjectName("cmdDrucken");
    print->setDefault(true);
    QPushButton* cancel = buttons->addButton(Utf8("Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cmdAbbrechen");
    v->addWidget(buttons);

    connect(m_printers, &QComboBox::currentIndexChanged, this, &frmDrucken::ChoiceChanged);
    connect(m_browse, &QPushButton::clicked, this, &frmDrucken::Browse);
    connect(print, &QPushButton::clicked, this, &frmDrucken::Print);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ChoiceChanged();
}

void frmDrucken::PrintOnto(PrinterTarget& page, std::vector<std::string>& problems) const {
    const PrintLayout layout = FitSheetOnPage(page.Width(), page.Height(), kMargin);
    page.Translate(layout.offsetX, layout.offsetY);
    PrintCircuit(page, layout.zoom);
    if (m_withICs->isEnabled() && m_withICs->isChecked()) {
        for (const std::string& name : UsedICNames()) {
            // The circuit comes back when sheet goes out of scope.
            ICDefinitionSheet sheet;
            std::string problem;
            if (!sheet.Load(name, problem)) {
                problems.push_back(problem);
                continue;
            }
            if (!page.NewPage(SheetOrientation()))
                break;
            const int room = kMargin + static_cast<int>(ICDefinitionSheet::TitleHeight(page));
            const PrintLayout icLayout = FitSheetOnPage(page.Width(), page.Height(), room);
            page.Translate(icLayout.offsetX, icLayout.offsetY);
            sheet.Print(page, icLayout.zoom);
        }
    }
    page.Finish();
}

void frmDrucken::ChoiceChanged() {
    const bool pdf = m_printers->currentText() == Utf8(kPdfEntry);
    m_pdfFile->setEnabled(pdf);
    m_browse->setEnabled(pdf);
}

void frmDrucken::Browse() {
    FileDialogRequest request;
    request.title = "Als PDF-Datei drucken";
    request.filter = "*.PDF (PDF-Dokument)|*.pdf";
    const std::string current = m_pdfFile->text().toStdString();
    const std::size_t slash = current.rfind('/');
    request.initialFolder =
        slash == std::string::npos ? gVerzeichnisse[0] : current.substr(0, slash + 1);
    request.fileName = GetFileTitle(current);
    const auto chosen = Host().ShowSaveDialog(request);
    if (!chosen || chosen->empty())
        return;
    m_confirmedPath = *chosen;
    m_pdfFile->setText(QString::fromStdString(*chosen));
}

void frmDrucken::Print() {
    const bool done = m_printers->currentText() == Utf8(kPdfEntry)
                          ? PrintToPdf()
                          : PrintToPrinter(m_printers->currentText());
    if (done)
        accept();
}

bool frmDrucken::PrintToPdf() {
    const std::string typed = m_pdfFile->text().trimmed().toStdString();
    if (typed.empty()) {
        Host().MessageBox("Bitte geben Sie den Namen der PDF-Datei an.", MsgButtons::Ok,
                          MsgIcon::Exclamation, "Drucken");
        m_pdfFile->setFocus();
        return false;
    }
    const std::string path = WithExtension(typed, ".pdf");
    if (path != m_confirmedPath && !ConfirmReplace(path, "Drucken"))
        return false;

    // The document is made in memory and written atomically: a failed write leaves an older
    // file of that name as it was.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::vector<std::string> problems;
    {
        PrinterTarget page(buffer, QPageSize(QPageSize::A4), SheetOrientation());
        if (!page.IsOpen()) {
            PrintFailed("Das PDF-Dokument konnte nicht angelegt werden.");
            return false;
        }
        PrintOnto(page, problems);
    }
    std::string reason;
    const QByteArray& bytes = buffer.data();
    if (!WriteFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            reason)) {
        ReportWriteFailure(path, reason);
        return false;
    }
    ReportICsLeftOut(problems);
    return true;
}

bool frmDrucken::PrintToPrinter(const QString& name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(name);
    if (!printer.isValid()) {
        PrintFailed("Der Drucker \"" + name.toStdString() + "\" ist nicht verfügbar.");
        return false;
    }
    printer.setPageOrientation(SheetOrientation());
    printer.setDocName(QStringLiteral("Kardo"));
    std::vector<std::string> problems;
    {
        PrinterTarget page(printer);
        if (!page.IsOpen()) {
            PrintFailed("Der Drucker \"" + name.toStdString() +
                        "\" kann nicht angesprochen werden.");
            return false;
        }
        PrintOnto(page, problems);
    }
    if (printer.printerState() == QPrinter::Error) {
        PrintFailed("Der Drucker \"" + name.toStdString() + "\" meldet einen Fehler.");
        return false;
    }
    ReportICsLeftOut(problems);
    return true;
}

} // namespace kardo
