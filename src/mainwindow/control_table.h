// The controls of the main window by object name: a table built once when the window is built,
// so that the core's many calls by name (enable a key, set a caption) cost a hash lookup
// instead of a search through the window's tree of controls.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include <QObject>
#include <QPointer>

namespace kardo {

class ControlTable {
  public:
    explicit ControlTable(QObject& root) : m_root(root) {}

    // Enters every named control of the window. Called when the window has been built; names
    // met later (controls made afterwards) are entered on their first use.
    void Build();
    // The control of that name, as Search finds it; nullptr when there is none.
    QObject* Find(std::string_view name);
    // Looks the name up in the window's tree. Control arrays are named "name_N"; the keys of a
    // toolbar are also reached as "Toolbar_N" by their position (separators count), and a key
    // whose name another control carries too as "Toolbar/key". A plain name that several
    // controls carry means the one that is not a toolbar key. "frmKardo" is the window itself.
    QObject* Search(std::string_view name) const;

  private:
    // Find without the names found last.
    QObject* Lookup(std::string_view name);
    // Transparent hashing: a lookup by string_view allocates nothing.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    QObject& m_root; // the main window
    std::unordered_map<std::string, QPointer<QObject>, NameHash, std::equal_to<>>
        m_controls; // found controls by name; an entry whose control is gone is looked up again
    // The names found last and their controls: a click asks for the same few again and again
    // (the selection count, the delete command), and comparing a short name costs less than
    // hashing it.
    struct Recent {
        std::string name;
        QPointer<QObject> control;
    };
    std::array<Recent, 4> m_recent; // a name of none is empty
    std::size_t m_nextRecent = 0;   // the entry the next name found takes
};

} // namespace kardo
