// The save question and Save.
#include "app/file_commands.h"

#include "app/file_object.h"
#include "app/main_state.h"
#include "editor/text_labels.h"
#include "platform/platform.h"

#include <string>

namespace kardo {

bool AskToSaveChanges() {
    // A label being written counts as a change and is saved with the rest.
    txtBeschriftung_LostFocus();
    if (gUnveraendert)
        return true;
    const std::string text =
        gFile.FileName.empty()
            ? std::string("Sie haben die neu erstellte Schaltung\rnoch nicht gesichert.\r\r"
                          "Jetzt speichern?")
            : gFile.FileName + "\rwurde geändert.\r\rMöchten Sie die Änderungen speichern?";
    switch (Host().MessageBox(text, MsgButtons::YesNoCancel, MsgIcon::Question, "Kardo")) {
    case MsgResult::Yes:
        // Unsaved work would be lost if the caller went on after a save that did not happen.
        return SaveCircuit() == FileOutcome::Success && gUnveraendert;
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

FileOutcome SaveCircuit() { return SaveFile(true); }

} // namespace kardo
