// In-memory settings store for tests.
#include "support/fake_settings.h"

namespace kardo::test {

std::optional<std::string> FakeSettings::Get(SettingsRoot root, std::string_view name) const {
    const auto& values = Root(root).values;
    const auto it = values.find(std::string(name));
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

void FakeSettings::Set(SettingsRoot root, std::string_view name, std::string_view value) {
    RootData& r = Root(root);
    r.exists = true;
    r.values[std::string(name)] = std::string(value);
}

bool FakeSettings::Flush() {
    if (failFlush)
        return false;
    m_user.flushed = m_user.values;
    m_system.flushed = m_system.values;
    ++flushes;
    return true;
}

} // namespace kardo::test
