// TEMPORARY: stands in for InitTextBox until the text labels land; the real definition
// overrides this weak one. Removed with the merge that brings it.
#include <cstdint>
#include <string_view>

namespace kardo {
[[gnu::weak]] std::int16_t InitTextBox(std::int16_t, std::int16_t, std::string_view) { return 0; }
} // namespace kardo
