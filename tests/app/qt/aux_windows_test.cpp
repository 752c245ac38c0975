// The number-base converter, the About box and the help window, offscreen.
#include "app/qt/frm_info.h"
#include "app/qt/frm_number_conversion.h"
#include "app/qt/help_window.h"
#include "app/system_info.h"
#include "support/core_fixture.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class NumberConversionWindowTest : public test::CoreFixture {
  protected:
    NumberConversionWindowTest() : window(nullptr) { window.show(); }
    QLineEdit* Box(const char* name) {
        auto* b = window.findChild<QLineEdit*>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void TypeInto(const char* name, const QString& text) {
        QLineEdit* b = Box(name);
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Delete);
        QTest::keyClicks(b, text);
    }
    QString Hint() { return window.findChild<QLabel*>("lblHinweis")->text(); }

    frmNumberConversion window; // the converter
};

TEST_F(NumberConversionWindowTest, EveryBoxFollowsTheOneTypedIn) {
    EXPECT_EQ(window.windowTitle(), "Zahlenkonvertierung");
    EXPECT_FALSE(window.isModal());
    TypeInto("txtDezimal", "255");
    EXPECT_EQ(Box("txtHexadezimal")->text(), "FF");
    EXPECT_EQ(Box("txtOktal")->text(), "377");
    EXPECT_EQ(Box("txtBinaer")->text(), "11111111");
    TypeInto("txtBinaer", "1010");
    EXPECT_EQ(Box("txtDezimal")->text(), "10");
    EXPECT_EQ(Box("txtHexadezimal")->text(), "A");
    TypeInto("txtHexadezimal", "ffffffff");
    EXPECT_EQ(Box("txtDezimal")->text(), "4294967295");
    EXPECT_EQ(Box("txtOktal")->text(), "37777777777");
    EXPECT_TRUE(Hint().isEmpty());
}

// Enter after typing a number closed the converter: its close button was the default button.
TEST_F(NumberConversionWindowTest, EnterInABoxKeepsTheWindowOpen) {
    TypeInto("txtDezimal", "255");
    QTest::keyClick(Box("txtDezimal"), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Box("txtHexadezimal")->text(), "FF");
    QTest::keyClick(Box("txtDezimal"), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(NumberConversionWindowTest, ABadDigitIsMarkedAndTheOtherBoxesKeepTheirValues) {
    TypeInto("txtDezimal", "12");
    ASSERT_EQ(Box("txtOktal")->text(), "14");
    // A digit added behind the octal number that octal has not.
    Box("txtOktal")->end(false);
    QTest::keyClicks(Box("txtOktal"), "9");
    EXPECT_EQ(Box("txtOktal")->text(), "149");
    EXPECT_EQ(Hint().toStdString(), "Ungültiges Zeichen \"9\" in der Oktalzahl.");
    EXPECT_FALSE(Box("txtOktal")->styleSheet().isEmpty());
    EXPECT_EQ(Box("txtDezimal")->text(), "12");
    EXPECT_EQ(Box("txtHexadezimal")->text(), "C");
    EXPECT_EQ(Box("txtBinaer")->text(), "1100");
    // One digit too many for the range: the same.
    TypeInto("txtDezimal", "4294967295");
    QTest::keyClicks(Box("txtDezimal"), "0");
    EXPECT_EQ(Hint().toStdString(), "Die Zahl ist zu groß: erlaubt sind 0 bis 4294967295.");
    EXPECT_EQ(Box("txtHexadezimal")->text(), "FFFFFFFF");
    // A good number clears hint and marks.
    TypeInto("txtDezimal", "7");
    EXPECT_TRUE(Hint().isEmpty());
    EXPECT_TRUE(Box("txtDezimal")->styleSheet().isEmpty());
    EXPECT_EQ(Box("txtOktal")->text(), "7");
}

TEST(AboutBoxTest, ShowsNameVersionAndSystem) {
    frmInfo box(nullptr);
    EXPECT_EQ(box.windowTitle(), "Über Kardo");
    EXPECT_EQ(box.findChild<QLabel*>("lblName")->text(), "Kardo");
    EXPECT_EQ(box.findChild<QLabel*>("lblVersion")->text(), "Version 1.0");
    EXPECT_TRUE(
        box.findChild<QLabel*>("lblSystem")->text().contains(QString::fromStdString(GetOSName())));
}

TEST(HelpWindowTest, EveryPageIsBuiltInWithItsTitleAndEveryLinkLeadsToAPage) {
    frmHilfe help(nullptr);
    EXPECT_EQ(help.windowTitle(), "Kardo-Hilfe");
    ASSERT_GE(HelpTopics().size(), 10u);
    auto* list = help.findChild<QListWidget*>("lstInhalt");
    ASSERT_EQ(list->count(), static_cast<int>(HelpTopics().size()));
    const QRegularExpression link("href=\"([^\"#]+)");
    for (const HelpTopic& t : HelpTopics()) {
        QFile page(QString(":/help/") + t.file);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << t.file;
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QString("<title>") + QString::fromUtf8(t.title) + "</title>"))
            << t.file;
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << t.file << " -> " << target.toStdString();
        }
    }
}

TEST(HelpWindowTest, TheContentsListShowsThePagesAndTheTermSyntaxIsThere) {
    frmHilfe help(nullptr);
    auto* browser = help.findChild<QTextBrowser*>("txtHilfe");
    EXPECT_EQ(browser->source().fileName(), "index.html");
    EXPECT_TRUE(browser->toPlainText().contains("Inhalt"));
    help.ShowTopic("formelzeile.html");
    const QString text = browser->toPlainText();
    for (const char* rule : {"Term     = Und { \"v\" Und }", "Und      = Nicht { \"&\" Nicht }",
                             "Nicht    = \"/\" Nicht | Faktor",
                             "Faktor   = Variable | \"(\" Term \")\"", "mehr als 250 Zeichen"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(rule))) << rule;
    auto* list = help.findChild<QListWidget*>("lstInhalt");
    EXPECT_EQ(list->currentItem()->text(), "Formelzeile und Termsyntax");
    list->setCurrentRow(0);
    EXPECT_EQ(browser->source().fileName(), "index.html");
}

} // namespace
} // namespace kardo
