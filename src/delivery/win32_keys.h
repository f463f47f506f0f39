// Key chords as keyboard input: built as INPUT records (testable without sending them) and sent.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "delivery/key_string.h"

namespace hop {

// The input events for the chords in order; nothing when a chord's character has no key on
// this keyboard layout.
std::optional<std::vector<INPUT>> InputsFor(std::span<const KeyChord> keys);
// Sends the chords to the foreground window; true when every event was taken.
bool SendChords(std::span<const KeyChord> keys);

}  // namespace hop
