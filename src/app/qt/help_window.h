// The help window "Kardo-Hilfe": German HTML pages built into the program, a contents list
// and a browser with back and forward keys.
#pragma once

#include <span>

#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace kardo {

// One page of the help: its file in the resources and its title in the contents list.
struct HelpTopic {
    const char* file;  // "index.html", below ":/help/"
    const char* title; // German title
};

// Every page; the first is the contents.
std::span<const HelpTopic> HelpTopics();

class frmHilfe : public QWidget {
    Q_OBJECT
  public:
    explicit frmHilfe(QWidget* owner);
    // Shows a page by its file name ("formelzeile.html").
    void ShowTopic(const char* file);

  private:
    QListWidget* m_topics = nullptr;   // lstInhalt
    QTextBrowser* m_browser = nullptr; // txtHilfe
};

} // namespace kardo
