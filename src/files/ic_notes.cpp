// Rewriting the notes section of an IC definition file.
#include "files/ic_notes.h"

#include "files/text_codec.h"
#include "platform/platform.h"

#include <filesystem>
#include <system_error>

namespace kardo {

namespace {

constexpr std::string_view kSection = "[Notizen]";
// IC definition files are small; a larger one is not an IC file.
constexpr std::size_t kMaxICFile = 16 * 1024 * 1024;

bool HasNonAscii(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

std::string ReplaceICNotes(std::string_view fileBytes, std::string_view notes) {
    const std::string_view newline =
        fileBytes.find("\r\n") != std::string_view::npos || fileBytes.empty() ? "\r\n" : "\n";
    // A UTF-8 file (a mark, or valid UTF-8 beyond ASCII) keeps UTF-8; any other is written in
    // Windows-1252, as the program writes its files.
    const FileEncoding enc = DetectFileEncoding(fileBytes);
    const bool utf8 =
        enc == FileEncoding::Utf8Bom || (enc == FileEncoding::Utf8 && HasNonAscii(fileBytes));

    std::string text;
    std::size_t start = 0;
    while (start <= notes.size()) {
        std::size_t end = notes.find('\n', start);
        if (end == std::string_view::npos)
            end = notes.size();
        std::string_view line = notes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (start > 0)
            text.append(newline);
        text.append(line);
        start = end + 1;
    }
    text.append(newline);
    std::string encoded;
    if (utf8)
        encoded = text;
    else
        EncodeWindows1252(text, encoded);

    // Keep every line up to and including the section line.
    std::size_t pos = 0;
    while (pos < fileBytes.size()) {
        std::size_t end = fileBytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? fileBytes.size() : end + 1;
        std::string_view line =
            fileBytes.substr(pos, (end == std::string_view::npos ? next : end) - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (pos == 0 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        if (line == kSection) {
            std::string out(fileBytes.substr(0, next));
            if (end == std::string_view::npos)
                out.append(newline);
            return out.append(encoded);
        }
        pos = next;
    }
    std::string out(fileBytes);
    if (!out.empty() && out.back() != '\n')
        out.append(newline);
    out.append(kSection).append(newline);
    return out.append(encoded);
}

bool SaveICNotes(const std::string& path, std::string_view notes, AtomicWriteFault fault) {
    std::error_code ec;
    if (path.empty() || notes == kSection || !std::filesystem::is_regular_file(path, ec))
        return true;
    std::string bytes;
    std::string reason;
    if (ReadWholeFile(path, kMaxICFile, bytes, reason) &&
        WriteFileAtomically(path, ReplaceICNotes(bytes, notes), reason, fault))
        return true;
    std::string text = "Die Notizen konnten nicht in die Datei\r\n";
    text.append(path).append("\r\ngeschrieben werden:\r\n").append(reason);
    text.append("\r\nDie Datei bleibt unverändert.");
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Dateifehler");
    return false;
}

} // namespace kardo
