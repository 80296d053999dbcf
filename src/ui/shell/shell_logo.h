#pragma once
// The program's logo, drawn rather than shipped so the splash and the About
// window never open without it.
#include <QPixmap>

namespace qel::ui {

// A chequered flag with the program's name, width pixels wide.
QPixmap kestrovaLogo(int width);

}  // namespace qel::ui
