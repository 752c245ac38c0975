// The recent-files entries of the file menu.
#include "app/recent_files.h"

#include "app/settings.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <string>

namespace kardo {

void BuildRecentFilesMenu() {
    if (gPlatform == nullptr || gPlatform->host == nullptr)
        return;
    HostWindow& host = Host();
    bool any = false;
    for (std::size_t i = 0; i < gLastFiles.size(); ++i) {
        const std::string& path = gLastFiles[i];
        const std::string name = ctl::mUsedFiles(static_cast<int>(i));
        // A menu caption takes "&" for its Alt key: one in the path is doubled to show as such.
        std::string shown;
        for (char c : path)
            shown += c == '&' ? std::string("&&") : std::string(1, c);
        host.SetCaption(name, "&" + std::to_string(i + 1) + " " + shown);
        host.SetVisible(name, !path.empty());
        any = any || !path.empty();
    }
    host.SetVisible(ctl::mUsedFilesLine, any);
}

} // namespace kardo
