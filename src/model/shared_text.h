// An immutable text shared by all its copies. The notes of an IC definition are held once for
// the definition, however many instances of the IC a circuit holds and however many of them the
// undo history keeps.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kardo {

class SharedText {
  public:
    SharedText() = default;
    explicit SharedText(std::string text)
        : m_text(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}

    std::string_view View() const {
        return m_text ? std::string_view(*m_text) : std::string_view();
    }
    operator std::string_view() const { return View(); } // NOLINT: reads as the text it holds
    std::string Str() const { return std::string(View()); }
    bool empty() const { return !m_text; }
    std::size_t size() const { return View().size(); }
    // Both copies hold the one text (not merely equal ones).
    bool SharesWith(const SharedText& other) const { return m_text == other.m_text; }

    bool operator==(const SharedText& other) const {
        return SharesWith(other) || View() == other.View();
    }
    bool operator==(std::string_view text) const { return View() == text; }

  private:
    std::shared_ptr<const std::string> m_text; // nullptr for the empty text
};

} // namespace kardo
