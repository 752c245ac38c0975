// The help window and its pages.
#include "app/qt/help_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The pages are compiled into the program's static library; a static library's resources are
// registered by name.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace kardo {

namespace {

constexpr HelpTopic kTopics[] = {
    {"index.html", "Inhalt"},
    {"arbeitsfeld.html", "Das Arbeitsfeld"},
    {"bauteile.html", "Bauteile setzen"},
    {"leitungen.html", "Leitungen und Punkte"},
    {"auswahl.html", "Auswählen, Verschieben und Löschen"},
    {"simulation.html", "Die Simulation"},
    {"dateien.html", "Dateien, Drucken und Bitmaps"},
    {"ics.html", "Selbstdefinierte Bauteile (ICs)"},
    {"formelzeile.html", "Formelzeile und Termsyntax"},
    {"boolesche_algebra.html", "Boolesche Algebra"},
    {"optionen.html", "Optionen und Funktionssperre"},
    {"hilfsmittel.html", "Zahlenkonvertierung und Direkthilfe"},
    {"tasten.html", "Tastenkürzel"},
};

QUrl PageUrl(const char* file) { return QUrl(QStringLiteral("qrc:/help/") + file); }

} // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

frmHilfe::frmHilfe(QWidget* owner) : QWidget(owner, Qt::Window) {
    InitHelpResources();
    setObjectName("frmHilfe");
    setWindowTitle(QString::fromUtf8("Kardo-Hilfe"));
    auto* v = new QVBoxLayout(this);
    auto* keys = new QHBoxLayout();
    auto* back = new QPushButton(QString::fromUtf8("Zurück"), this);
    back->setObjectName("cmdZurueck");
    auto* forward = new QPushButton(QString::fromUtf8("Vor"), this);
    forward->setObjectName("cmdVor");
    auto* contents = new QPushButton(QString::fromUtf8("Inhalt"), this);
    contents->setObjectName("cmdInhalt");
    keys->addWidget(back);
    keys->addWidget(forward);
    keys->addWidget(contents);
    keys->addStretch(1);
    v->addLayout(keys);

    auto* split = new QSplitter(this);
    m_topics = new QListWidget(split);
    m_topics->setObjectName("lstInhalt");
    for (const HelpTopic& t : kTopics)
        m_topics->addItem(QString::fromUtf8(t.title));
    m_browser = new QTextBrowser(split);
    m_browser->setObjectName("txtHilfe");
    m_browser->setOpenExternalLinks(false);
    split->addWidget(m_topics);
    split->addWidget(m_browser);
    split->setStretchFactor(1, 1);
    v->addWidget(split, 1);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(kTopics[0].file); });
    connect(m_topics, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(std::size(kTopics)))
            ShowTopic(kTopics[row].file);
    });
    // The list follows the page shown, also when a link led there.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        const QString file = url.fileName();
        for (int i = 0; i < static_cast<int>(std::size(kTopics)); ++i) {
            if (file == QString::fromUtf8(kTopics[i].file) && m_topics->currentRow() != i) {
                const QSignalBlocker block(m_topics);
                m_topics->setCurrentRow(i);
            }
        }
    });
    back->setEnabled(false);
    forward->setEnabled(false);
    resize(820, 600);
    ShowTopic(kTopics[0].file);
}

void frmHilfe::ShowTopic(const char* file) {
    if (m_browser->source() != PageUrl(file))
        m_browser->setSource(PageUrl(file));
}

} // namespace kardo
