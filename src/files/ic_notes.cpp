// Rewriting the notes section of an IC definition file.
#include "files/ic_notes.h"

#include "files/file_lines.h"
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

void Tell(const std::string& text, std::string_view title) {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, title);
}

} // namespace

std::string ReplaceICNotes(std::string_view fileBytes, std::string_view notes) {
    const std::string_view newline =
        fileBytes.find("\r\n") != std::string_view::npos || fileBytes.empty() ? "\r\n" : "\n";
    const FileEncoding enc = DetectFileEncoding(fileBytes);
    const bool utf8 =
        enc == FileEncoding::Utf8Bom || (enc == FileEncoding::Utf8 && HasNonAscii(fileBytes));

    // Keep every line up to and including the section line, as the readers recognise it.
    std::string text = DecodeFileText(fileBytes);
    std::size_t keep = std::string::npos;
    ForEachFileLine(text, [&](std::string_view line, int) {
        if (SectionOfHeader(TrimBlanks(line)) != FileSection::Notizen)
            return true;
        keep = static_cast<std::size_t>(line.data() - text.data()) + line.size();
        return false;
    });
    if (keep != std::string::npos) {
        text.resize(keep);
    } else {
        if (!text.empty() && text.back() != '\n')
            text.append(newline);
        text.append(kSection);
    }
    ForEachFileLine(notes.empty() ? std::string_view("\n") : notes,
                    [&](std::string_view line, int) {
                        text.append(newline).append(line);
                        return true;
                    });
    if (!notes.empty() && notes.back() == '\n')
        text.append(newline); // the empty last line of the notes
    text.append(newline);
    if (!utf8)
        return EncodeFileText(text);
    return enc == FileEncoding::Utf8Bom ? "\xEF\xBB\xBF" + text : text;
}

namespace {

// Whether a reader of the file format could take an item of line for a section header. Such a
// reader reads items, not lines: an item ends at a comma, the blanks before it are skipped, and
// an item that opens with a double quote runs to the next one, its quotes removed. Every piece
// between commas is looked at, quoted or not, so that no placing of quotes and commas across
// the line can make a header of any of them.
bool HasHeaderItem(std::string_view line) {
    for (;;) {
        const std::size_t comma = line.find(',');
        std::string_view item = TrimBlanks(line.substr(0, comma));
        if (!item.empty() && item.front() == '"') {
            item.remove_prefix(1);
            item = TrimBlanks(item.substr(0, item.find('"')));
        }
        if (SectionOfHeader(item))
            return true;
        if (comma == std::string_view::npos)
            return false;
        line.remove_prefix(comma + 1);
    }
}

} // namespace

std::string_view HeaderLikeNoteLine(std::string_view notes) {
    std::string_view found;
    ForEachFileLine(notes, [&](std::string_view line, int) {
        if (HasHeaderItem(line))
            found = TrimBlanks(line);
        return found.empty();
    });
    return found;
}

std::string HeaderLineProblem(std::string_view line) {
    return "Die Zeile \"" + std::string(line) +
           "\" der Notizen würde in der IC-Datei als Beginn eines Abschnitts gelesen und das IC "
           "unbrauchbar machen. Bitte ändern Sie die Zeile, zum Beispiel mit einem Wort vor der "
           "Klammer.";
}

bool SaveICNotes(const std::string& path, std::string_view notes, AtomicWriteFault fault) {
    std::error_code ec;
    if (path.empty() || notes == kSection || !std::filesystem::is_regular_file(path, ec))
        return true;
    if (const std::string_view line = HeaderLikeNoteLine(notes); !line.empty()) {
        Tell("Die Notizen wurden nicht gespeichert.\r\n" + HeaderLineProblem(line) +
                 "\r\nDie Datei bleibt unverändert.",
             "IC-Notizen");
        return false;
    }
    std::string bytes;
    std::string reason;
    if (ReadWholeFile(path, kMaxICFile, bytes, reason) &&
        WriteFileAtomically(path, ReplaceICNotes(bytes, notes), reason, fault))
        return true;
    std::string text = "Die Notizen konnten nicht in die Datei\r\n";
    text.append(path).append("\r\ngeschrieben werden:\r\n").append(reason);
    Tell(text.append("\r\nDie Datei bleibt unverändert."), "Dateifehler");
    return false;
}

} // namespace kardo
