// The package view of the IC editor.
#include "ic/qt/ic_package_view.h"

#include "app/main_state.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_definition_mode.h"
#include "ic/qt/ic_package_picture.h"
#include "ic/qt/ic_pin_handle.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QPainter>

namespace kardo {

namespace {

// Cells of room around the package: the labels of the left and right edges take up to 20
// characters.
constexpr int kMarginX = 10;
constexpr int kMarginY = 3;

double Centre(int i) { return kPackageCell * (i + 0.5); }

} // namespace

ICPackageView::ICPackageView(QWidget* parent) : QWidget(parent) {
    setObjectName("picIC");
    setAcceptDrops(true);
}

QPointF ICPackageView::PlaceCentre(int a, int b) const {
    return {Centre(m_ox + a), Centre(m_oy + b)};
}

void ICPackageView::ShowInOut() {
    const int w = std::max<int>(gICBreite, 1);
    const int h = std::max<int>(gICHoehe, 1);
    m_ox = kMarginX;
    m_oy = kMarginY;
    const std::string name = gICName.empty() ? std::string("IC-Neu") : gICName;
    m_image = DrawPackagePicture(w + 2 * kMarginX + 1, h + 2 * kMarginY + 1, m_ox, m_oy, w, h, name,
                                 gICAnschluesse, gAnzICAnschluesse);
    setFixedSize(m_image.size());

    m_lines.clear();
    const double r = kPackageCell;
    for (ICPinHandle* label : findChildren<ICPinHandle*>(QString(), Qt::FindDirectChildrenOnly)) {
        int a = 0;
        int b = 0;
        if (!GetICPinPlace(label->Nr(), a, b)) {
            label->hide();
            continue;
        }
        label->adjustSize();
        const QPointF c = PlaceCentre(a, b);
        const double lw = label->width();
        const double lh = label->height();
        QPointF from;
        QPointF to;
        QPointF topLeft;
        if (a == 0) {
            from = {Centre(m_ox) - r / 2, c.y()};
            to = {Centre(m_ox) - r, c.y()};
            topLeft = {to.x() - lw, c.y() - lh / 2};
        } else if (a == w) {
            from = {Centre(m_ox + w) + r / 2, c.y()};
            to = {Centre(m_ox + w) + r, c.y()};
            topLeft = {to.x(), c.y() - lh / 2};
        } else if (b == 0) {
            // Neighbouring columns take turns in two rows, so that short names do not overlap.
            const double lift = (a % 2 == 0) ? 0 : lh;
            from = {c.x(), Centre(m_oy) - r / 2};
            to = {c.x(), Centre(m_oy) - r - lift};
            topLeft = {c.x() - lw / 2, to.y() - lh};
        } else {
            const double drop = (a % 2 == 0) ? 0 : lh;
            from = {c.x(), Centre(m_oy + h) + r / 2};
            to = {c.x(), Centre(m_oy + h) + r + drop};
            topLeft = {c.x() - lw / 2, to.y()};
        }
        m_lines.push_back(Link{from, to});
        label->move(topLeft.toPoint());
        label->show();
    }
    update();
}

bool ICPackageView::DropPin(int nr, QPointF pos) {
    const double col = (pos.x() - Centre(m_ox)) / kPackageCell;
    const double row = (pos.y() - Centre(m_oy)) / kPackageCell;
    int a = 0;
    int b = 0;
    if (!SnapToICOutline(col, row, gICBreite, gICHoehe, a, b)) {
        if (onProblem)
            onProblem("Bitte legen Sie den Anschluss auf den Rand des Gehäuses.");
        return false;
    }
    std::string reason;
    if (!PlaceICPin(nr, a, b, reason)) {
        if (onProblem)
            onProblem(reason);
        return false;
    }
    if (onProblem)
        onProblem({});
    return true;
}

void ICPackageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
    p.setPen(QPen(Qt::black, 1));
    for (const Link& l : m_lines)
        p.drawLine(l.from, l.to);
}

void ICPackageView::dragEnterEvent(QDragEnterEvent* event) {
    if (PinOfMime(event->mimeData()) != 0)
        event->acceptProposedAction();
}

void ICPackageView::dragMoveEvent(QDragMoveEvent* event) {
    if (PinOfMime(event->mimeData()) != 0)
        event->acceptProposedAction();
}

void ICPackageView::dropEvent(QDropEvent* event) {
    const int nr = PinOfMime(event->mimeData());
    if (nr == 0)
        return;
    event->acceptProposedAction();
    DropPin(nr, event->position());
}

} // namespace kardo
