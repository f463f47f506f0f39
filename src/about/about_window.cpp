#include "about/about_window.h"

namespace hop {

void ShowAboutBox(MainWindow&) {}

void UnloadAboutBox() {}

}  // namespace hop
