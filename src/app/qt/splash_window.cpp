// The splash window: a start picture painted in code, version, system name and status label.
#include "app/qt/splash_window.h"

#include "app/system_info.h"

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace kardo {

namespace {

// The start picture: the program's name over an AND gate between a switch and a lit LED.
QPixmap StartPicture() {
    QPixmap pm(360, 150);
    pm.fill(QColor(255, 255, 235));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont title("Liberation Sans");
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 128));
    p.drawText(QRect(0, 8, 360, 56), Qt::AlignCenter, "Kardo");
    p.setPen(QPen(Qt::red, 3));
    p.drawLine(60, 95, 150, 95);
    p.drawLine(60, 125, 150, 125);
    p.setPen(QPen(QColor(128, 128, 128), 3));
    p.drawLine(200, 110, 290, 110);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(40, 85, 20, 20);
    p.drawRect(40, 115, 20, 20);
    p.setBrush(QColor(255, 255, 192));
    p.drawRect(150, 82, 50, 56);
    QFont gate("Liberation Sans");
    gate.setPixelSize(20);
    gate.setBold(true);
    p.setFont(gate);
    p.drawText(QRect(150, 82, 50, 56), Qt::AlignCenter, "&");
    p.setBrush(QColor(128, 128, 128));
    p.drawEllipse(QPoint(300, 110), 10, 10);
    return pm;
}

} // namespace

frmBevorStart::frmBevorStart(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
    setObjectName("frmBevorStart");
    auto* v = new QVBoxLayout(this);
    auto* picture = new QLabel(this);
    picture->setObjectName("imgStart");
    picture->setPixmap(StartPicture());
    v->addWidget(picture);
    auto* version = new QLabel(QString::fromUtf8(kVersionText), this);
    version->setObjectName("lblVersion");
    v->addWidget(version);
    auto* os = new QLabel(QString::fromStdString(GetOSName()), this);
    os->setObjectName("lblBetriebssystem");
    v->addWidget(os);
    m_status = new QLabel(this);
    m_status->setObjectName("lblStatus");
    v->addWidget(m_status);
    setStyleSheet("frmBevorStart, QWidget#frmBevorStart { background: #ffffeb; border: 1px solid "
                  "#000080 }");
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmBevorStart::SetStatus(std::string_view text) {
    m_text = std::string(text);
    m_status->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    m_status->repaint();
}

std::string_view frmBevorStart::Status() const { return m_text; }

} // namespace kardo
