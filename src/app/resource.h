// Resource identifiers of Hopdirs.exe.
#pragma once

#define IDI_HOPDIRS 1
