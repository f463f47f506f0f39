// The texts the system's own file dialogs show in the user's language.
#pragma once

#include "delivery/dialog_kind.h"

namespace hop {

// Read once from the common dialogs' string table and Open dialog template (the same resource
// ids on Windows and Wine); empty lists where they cannot be read.
const DialogWords& SystemDialogWords();

}  // namespace hop
