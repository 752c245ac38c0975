// Toolbar and tool pictures: small symbols painted onto 24 x 24 pixmaps.
#include "mainwindow/tool_icons.h"

#include "mainwindow/tool_table.h"

#include <algorithm>
#include <string>

#include <QPainter>
#include <QPainterPath>

namespace kardo {

namespace {

constexpr int kSize = 24;
const QColor kBody(255, 255, 192); // light yellow element bodies
const QColor kWire(128, 128, 128);

// A box symbol with a short label, pins left and right.
void Box(QPainter& p, const QString& label, int pinsIn = 2) {
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < pinsIn; ++i) {
        const int y = pinsIn == 1 ? 12 : 7 + i * 10 / (pinsIn - 1);
        p.drawLine(1, y, 5, y);
    }
    p.drawLine(19, 12, 23, 12);
    p.setBrush(kBody);
    p.drawRect(5, 3, 14, 18);
    QFont f = p.font();
    f.setPixelSize(label.size() > 2 ? 6 : 8);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(5, 3, 14, 18), Qt::AlignCenter, label);
}

// A short text in the middle of the picture.
void Label(QPainter& p, const QString& text, const QColor& colour = Qt::black) {
    QFont f = p.font();
    f.setPixelSize(text.size() > 3 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Arrow(QPainter& p, int direction) {
    // direction: 1 left, 2 right, 3 up, 4 down
    QPainterPath path;
    switch (direction) {
    case 1:
        path.moveTo(4, 12);
        path.lineTo(14, 4);
        path.lineTo(14, 20);
        break;
    case 2:
        path.moveTo(20, 12);
        path.lineTo(10, 4);
        path.lineTo(10, 20);
        break;
    case 3:
        path.moveTo(12, 4);
        path.lineTo(4, 14);
        path.lineTo(20, 14);
        break;
    default:
        path.moveTo(12, 20);
        path.lineTo(4, 10);
        path.lineTo(20, 10);
        break;
    }
    path.closeSubpath();
    p.setPen(Qt::black);
    p.setBrush(kBody);
    p.drawPath(path);
}

// A filled triangle.
void Triangle(QPainter& p, QPoint a, QPoint b, QPoint c) {
    QPolygon tri;
    tri << a << b << c;
    p.drawPolygon(tri);
}

// The pictures by key text. Each painter starts with a black pen of width 1, no brush.
struct KeyPicture {
    std::string_view key;
    void (*paint)(QPainter& p);
};

constexpr KeyPicture kKeyPictures[] = {
    // element toolbar
    {"cmdSelect",
     [](QPainter& p) {
         QPainterPath path;
         path.moveTo(6, 3);
         path.lineTo(6, 19);
         path.lineTo(10, 15);
         path.lineTo(13, 21);
         path.lineTo(15, 20);
         path.lineTo(12, 14);
         path.lineTo(17, 14);
         path.closeSubpath();
         p.setBrush(Qt::white);
         p.drawPath(path);
     }},
    {"cmdText", [](QPainter& p) { Label(p, "Abc"); }},
    {"cmdLeitungen",
     [](QPainter& p) {
         p.setPen(QPen(Qt::red, 2));
         p.drawLine(3, 6, 14, 6);
         p.drawLine(14, 6, 14, 19);
         p.drawLine(14, 19, 21, 19);
     }},
    {"cmdDiode",
     [](QPainter& p) {
         p.setBrush(Qt::red);
         p.drawEllipse(QPoint(12, 12), 7, 7);
     }},
    {"cmdSchalter",
     [](QPainter& p) {
         p.setBrush(QColor(192, 192, 192));
         p.drawRect(4, 7, 16, 10);
         p.setBrush(Qt::white);
         p.drawRect(6, 9, 6, 6);
     }},
    {"cmdInverter",
     [](QPainter& p) {
         p.setBrush(kBody);
         p.drawLine(1, 12, 5, 12);
         Triangle(p, {5, 4}, {17, 12}, {5, 20});
         p.setBrush(Qt::white);
         p.drawEllipse(QPoint(19, 12), 2, 2);
     }},
    {"cmdVerbindungspunkt",
     [](QPainter& p) {
         p.setPen(QPen(kWire, 2));
         p.drawLine(2, 12, 22, 12);
         p.drawLine(12, 12, 12, 22);
         p.setPen(QPen(Qt::black, 1));
         p.setBrush(Qt::black);
         p.drawEllipse(QPoint(12, 12), 3, 3);
     }},
    {"cmdKoppeldiode",
     [](QPainter& p) {
         p.setPen(QPen(kWire, 2));
         p.drawLine(12, 2, 12, 22);
         p.setPen(QPen(Qt::black, 1));
         p.setBrush(Qt::black);
         Triangle(p, {6, 8}, {18, 8}, {12, 15});
         p.drawLine(6, 16, 18, 16);
     }},
    {"cmdNegationspunkt",
     [](QPainter& p) {
         p.drawLine(2, 12, 8, 12);
         p.setBrush(QColor(192, 192, 192));
         p.drawEllipse(QPoint(12, 12), 4, 4);
         p.drawLine(16, 12, 22, 12);
     }},
    {"cmdAnalysepunkt",
     [](QPainter& p) {
         p.setBrush(QColor(0, 0, 160));
         p.drawRect(6, 6, 12, 12);
         Label(p, "1", Qt::white);
     }},
    {"cmdUND", [](QPainter& p) { Box(p, "&"); }},
    {"cmdODER", [](QPainter& p) { Box(p, QString::fromUtf8("\u22651")); }},
    {"cmdXODER", [](QPainter& p) { Box(p, "=1"); }},
    {"cmdHA", [](QPainter& p) { Box(p, "HA"); }},
    {"cmdVA", [](QPainter& p) { Box(p, "VA", 3); }},
    {"cmdTriState",
     [](QPainter& p) {
         p.setBrush(kBody);
         p.drawLine(1, 12, 5, 12);
         p.drawLine(11, 2, 11, 7);
         Triangle(p, {5, 5}, {19, 12}, {5, 19});
         p.drawLine(19, 12, 23, 12);
     }},
    {"cmdDecoder", [](QPainter& p) { Box(p, "DEC", 3); }},
    {"cmdDecoderT",
     [](QPainter& p) {
         Box(p, "DEC", 3);
         Label(p, "      T");
     }},
    {"cmdIC",
     [](QPainter& p) {
         p.setBrush(QColor(64, 64, 64));
         p.drawRect(6, 3, 12, 18);
         for (int y = 6; y <= 18; y += 4) {
             p.drawLine(2, y, 6, y);
             p.drawLine(18, y, 22, y);
         }
         Label(p, "IC", Qt::white);
     }},
    // complex elements
    {"cmdKomplex", [](QPainter& p) { Box(p, "FF"); }},
    {"FlipFlop", [](QPainter& p) { Box(p, "FF"); }},
    {"Multiplexer", [](QPainter& p) { Box(p, "MUX", 3); }},
    {"Taktgeber",
     [](QPainter& p) {
         p.setBrush(kBody);
         p.drawRect(3, 5, 18, 14);
         p.setPen(QPen(Qt::red, 1));
         p.drawPolyline(QPolygon({QPoint(5, 16), QPoint(8, 16), QPoint(8, 8), QPoint(12, 8),
                                  QPoint(12, 16), QPoint(16, 16), QPoint(16, 8), QPoint(19, 8)}));
     }},
    {"Schieberegister", [](QPainter& p) { Box(p, "SR"); }},
    {"Ziffernanzeige",
     [](QPainter& p) {
         p.setBrush(Qt::black);
         p.drawRect(5, 2, 14, 20);
         Label(p, "8", Qt::red);
     }},
    // orientation toolbar
    {"cmdRechts", [](QPainter& p) { Arrow(p, 2); }},
    {"cmdLinks", [](QPainter& p) { Arrow(p, 1); }},
    {"cmdOben", [](QPainter& p) { Arrow(p, 3); }},
    {"cmdUnten", [](QPainter& p) { Arrow(p, 4); }},
    // main toolbar
    {"cmdNew",
     [](QPainter& p) {
         p.setBrush(Qt::white);
         p.drawRect(6, 3, 12, 18);
     }},
    {"cmdOpen",
     [](QPainter& p) {
         p.setBrush(QColor(240, 200, 80));
         p.drawRect(3, 8, 18, 12);
         p.drawRect(3, 5, 7, 3);
     }},
    {"cmdSave",
     [](QPainter& p) {
         p.setBrush(QColor(60, 80, 160));
         p.drawRect(4, 4, 16, 16);
         p.setBrush(Qt::white);
         p.drawRect(7, 4, 10, 6);
     }},
    {"cmdPrint",
     [](QPainter& p) {
         p.setBrush(Qt::white);
         p.drawRect(7, 3, 10, 7);
         p.setBrush(QColor(160, 160, 160));
         p.drawRect(3, 10, 18, 8);
     }},
    {"cmdCut", [](QPainter& p) { Label(p, "X"); }},
    {"cmdCopy",
     [](QPainter& p) {
         p.setBrush(Qt::white);
         p.drawRect(4, 4, 10, 12);
         p.drawRect(10, 8, 10, 12);
     }},
    {"cmdPaste",
     [](QPainter& p) {
         p.setBrush(QColor(200, 160, 100));
         p.drawRect(5, 5, 14, 16);
         p.setBrush(Qt::white);
         p.drawRect(9, 3, 6, 4);
     }},
    {"cmdUndo",
     [](QPainter& p) {
         p.setPen(QPen(QColor(0, 0, 160), 2));
         p.drawArc(QRect(6, 6, 13, 12), 90 * 16, -200 * 16);
         p.drawLine(6, 7, 12, 6);
         p.drawLine(6, 7, 8, 12);
     }},
    {"cmdUndoList",
     [](QPainter& p) {
         for (int y = 6; y <= 18; y += 4)
             p.drawLine(5, y, 19, y);
     }},
    {"cmdSynthese", [](QPainter& p) { Label(p, "f(x)"); }},
    {"cmdTabelle",
     [](QPainter& p) {
         p.drawRect(4, 4, 16, 16);
         p.drawLine(12, 4, 12, 20);
         p.drawLine(4, 9, 20, 9);
     }},
    {"cmdICView",
     [](QPainter& p) {
         p.setBrush(QColor(64, 64, 64));
         p.drawRect(7, 4, 10, 16);
         Label(p, "+", Qt::white);
     }},
    {"cmdICAuswahl",
     [](QPainter& p) {
         p.setBrush(QColor(64, 64, 64));
         p.drawRect(3, 6, 8, 12);
         p.drawRect(13, 6, 8, 12);
     }},
    {"cmdEinstellungen",
     [](QPainter& p) {
         p.setBrush(QColor(160, 160, 160));
         p.drawEllipse(QPoint(12, 12), 8, 8);
         p.setBrush(Qt::white);
         p.drawEllipse(QPoint(12, 12), 3, 3);
     }},
    {"cmdRaster",
     [](QPainter& p) {
         p.setBrush(Qt::black);
         for (int x = 5; x <= 19; x += 7)
             for (int y = 5; y <= 19; y += 7)
                 p.drawEllipse(QPoint(x, y), 1, 1);
     }},
    {"cmdQuickHelp", [](QPainter& p) { Label(p, "?", QColor(0, 0, 160)); }},
    // clock toolbar
    {"cmdDauertakt",
     [](QPainter& p) {
         p.setBrush(QColor(0, 160, 0));
         Triangle(p, {6, 4}, {19, 12}, {6, 20});
     }},
    {"cmdEinzeltakt",
     [](QPainter& p) {
         p.setBrush(QColor(0, 160, 0));
         Triangle(p, {6, 4}, {16, 12}, {6, 20});
         p.drawRect(17, 4, 2, 16);
     }},
    {"cmdStop",
     [](QPainter& p) {
         p.setBrush(QColor(200, 0, 0));
         p.drawRect(6, 6, 12, 12);
     }},
    {"cmdFullStop",
     [](QPainter& p) {
         p.setBrush(QColor(200, 0, 0));
         p.drawRect(3, 6, 8, 12);
         p.drawRect(13, 6, 8, 12);
     }},
};

// The keys "cmdPanel0" to "cmdPanel4" of the panels menu: a window with its title bar and the
// panel's digit; any other key without a picture shows its first three letters.
void Paint(QPainter& p, std::string_view key) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    const auto* picture = std::ranges::find(kKeyPictures, key, &KeyPicture::key);
    if (picture != std::ranges::end(kKeyPictures)) {
        picture->paint(p);
    } else if (key.starts_with("cmdPanel")) {
        p.setBrush(Qt::white);
        p.drawRect(3, 4, 18, 16);
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(3, 4, 18, 4);
        Label(p, QString::fromUtf8(key.substr(8).data(), 1));
    } else {
        Label(p, QString::fromUtf8(key.data(),
                                   static_cast<qsizetype>(std::min<std::size_t>(key.size(), 3))));
    }
}

QPixmap Picture(std::string_view key) {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    Paint(p, key);
    return pm;
}

} // namespace

QIcon KeyIcon(std::string_view key) { return QIcon(Picture(key)); }

QPixmap ToolPicture(int tool) {
    if (tool == 98)
        return Picture("cmdICView");
    if (tool == 99)
        return Picture("cmdDauertakt");
    const ToolChoice* c = ChoiceByTool(tool);
    if (c == nullptr)
        return {};
    return Picture(c->komplex.empty() ? c->key : c->komplex);
}

} // namespace kardo
