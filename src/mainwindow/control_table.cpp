// The main window's table of controls by object name.
#include "mainwindow/control_table.h"

#include <QAction>
#include <QDialog>
#include <QList>
#include <QString>
#include <QToolBar>

namespace kardo {

namespace {

QString ToQ(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

void ControlTable::Build() {
    m_controls.clear();
    m_recent = {};
    for (QObject* o : m_root.findChildren<QObject*>()) {
        const std::string name = o->objectName().toStdString();
        if (name.empty() || m_controls.find(name) != m_controls.end())
            continue;
        if (QObject* found = Search(name))
            m_controls.emplace(name, found);
    }
}

QObject* ControlTable::Find(std::string_view name) {
    for (const Recent& r : m_recent)
        if (r.name == name && !r.control.isNull())
            return r.control.data();
    QObject* const found = Lookup(name);
    if (found != nullptr) {
        m_recent[m_nextRecent] = {std::string(name), found};
        m_nextRecent = (m_nextRecent + 1) % m_recent.size();
    }
    return found;
}

QObject* ControlTable::Lookup(std::string_view name) {
    const auto it = m_controls.find(name);
    if (it != m_controls.end() && !it->second.isNull())
        return it->second.data();
    QObject* found = Search(name);
    if (found == nullptr)
        return nullptr;
    if (it != m_controls.end())
        it->second = found;
    else
        m_controls.emplace(std::string(name), found);
    return found;
}

QObject* ControlTable::Search(std::string_view name) const {
    if (name == "frmKardo")
        return &m_root;
    const QString qname = ToQ(name);
    const qsizetype slash = qname.indexOf('/');
    if (slash > 0) {
        auto* bar = m_root.findChild<QToolBar*>(qname.left(slash));
        return bar != nullptr ? bar->findChild<QAction*>(qname.mid(slash + 1)) : nullptr;
    }
    QList<QObject*> found = m_root.findChildren<QObject*>(qname);
    // The controls of the windows the main window owns (the Boolean window's cmdTabelle beside
    // the toolbar's) are not its own.
    found.removeIf([this](QObject* o) {
        for (QObject* p = o; p != nullptr && p != &m_root; p = p->parent())
            if (qobject_cast<QDialog*>(p) != nullptr)
                return true;
        return false;
    });
    if (found.size() == 1)
        return found.front();
    if (found.size() > 1) {
        for (QObject* o : found)
            if (qobject_cast<QToolBar*>(o->parent()) == nullptr)
                return o;
        return found.front();
    }
    const qsizetype us = qname.lastIndexOf('_');
    if (us > 0) {
        bool ok = false;
        const int index = qname.mid(us + 1).toInt(&ok);
        auto* bar = m_root.findChild<QToolBar*>(qname.left(us));
        if (ok && bar != nullptr && index >= 1 && index <= bar->actions().size())
            return bar->actions().at(index - 1);
    }
    return nullptr;
}

} // namespace kardo
