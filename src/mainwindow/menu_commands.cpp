// Main window: the commands of the file, extras and help menus that open windows of the
// settings subsystem: bitmap export, printing, options behind the password, the number
// converter, help, web page, service mail and the About box.
#include "app/permissions.h"
#include "app/qt/frm_drucken.h"
#include "app/qt/frm_info.h"
#include "app/qt/frm_number_conversion.h"
#include "app/qt/frm_password.h"
#include "app/qt/help_window.h"
#include "app/sheet_output.h"
#include "app/web_links.h"
#include "files/atomic_file.h"
#include "mainwindow/main_window.h"
#include "render/grafik.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QUrl>

namespace kardo {

namespace {

// A picture larger than this is not made: 1 GiB of 32-bit pixels.
constexpr double kMaxBitmapPixels = 256.0 * 1024 * 1024;

} // namespace

// The whole sheet at the current zoom with its grid dots, drawn into a picture of its own; the
// current circuit file stays what it was, a cancelled dialog writes nothing.
void frmKardo::SaveBitmap() {
    if (!gFunktionRechte[kRechtBitmap])
        return;
    const std::optional<std::string> name = AskBitmapFileName();
    if (!name)
        return;
    const float zoom = gGrafik.GridMode;
    const double pixels = static_cast<double>(SheetPixelWidth(zoom)) * SheetPixelHeight(zoom);
    if (pixels > kMaxBitmapPixels) {
        ReportWriteFailure(*name, "Das Arbeitsfeld ist in dieser Vergrößerung zu groß für eine "
                                  "Bitmap");
        return;
    }
    ImageTarget image;
    DrawWholeSheet(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::string reason;
    if (image.Image().isNull() || !image.Image().save(&buffer, "BMP")) {
        ReportWriteFailure(*name, "Das Bild konnte nicht erzeugt werden");
    } else if (!WriteFileAtomically(
                   *name,
                   std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                   reason)) {
        ReportWriteFailure(*name, reason);
    }
    SetProgress(0);
}

void frmKardo::PrintCommand() {
    if (!gFunktionRechte[kRechtDrucken])
        return;
    frmDrucken dialog(m_dialogs);
    m_dialogs.RunModal(dialog);
    RefreshWorksheet();
}

void frmKardo::OptionsCommand() { OpenOptionsBehindPassword(m_dialogs); }

void frmKardo::NumberConversionCommand() {
    if (!gFunktionRechte[kRechtZahlenkonvertierung])
        return;
    if (!m_numberConversion)
        m_numberConversion = new frmNumberConversion(this);
    m_numberConversion->show();
    m_numberConversion->raise();
    m_numberConversion->activateWindow();
}

void frmKardo::HelpCommand() {
    if (!m_help)
        m_help = new frmHilfe(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void frmKardo::WebCommand() {
    if (!gWebAdresse.empty())
        OpenUrl(gWebAdresse);
}

void frmKardo::ServiceCommand() {
    if (!gServiceAdresse.empty())
        OpenUrl(ServiceMailUrl(gServiceAdresse));
}

void frmKardo::InfoCommand() {
    frmInfo dialog(this);
    m_dialogs.RunModal(dialog);
}

// The desktop's handler opens the address; whether it could is not reported.
void frmKardo::OpenUrl(const std::string& url) {
    if (m_openUrl) {
        m_openUrl(url);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(url)));
}

} // namespace kardo
