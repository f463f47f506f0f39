#include "model/colour_scheme.h"

namespace hop {

bool UseSystemColours(bool highContrast, std::uint32_t windowColour) {
  const unsigned red = windowColour & 0xFF;
  const unsigned green = (windowColour >> 8) & 0xFF;
  const unsigned blue = (windowColour >> 16) & 0xFF;
  // Perceived brightness (ITU-R BT.601 weights), 0 to 255000.
  const unsigned brightness = 299 * red + 587 * green + 114 * blue;
  return highContrast || brightness < 128'000;
}

}  // namespace hop
