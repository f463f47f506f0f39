// The texts the system's own file dialogs show, in every UI language the system has.
#pragma once

#include "delivery/dialog_kind.h"

namespace hop {

// Read once from the common dialogs' resources in each of their languages: the Open template
// (the same id on Windows and Wine) and strings whose ids only the system they come from
// defines; empty lists where they cannot be read.
const DialogWords& SystemDialogWords();

}  // namespace hop
