// Identifiers of the resources the windows load from the program (app/hopdirs.rc holds them).
#pragma once

#define IDI_HOPDIRS 1
