#include "ui/shell/shell_logo.h"

#include <QFont>
#include <QPainter>

namespace qel::ui {

QPixmap kestrovaLogo(int width) {
    // The race board's flag picture has the same 2.188 : 1 proportions.
    const int height = static_cast<int>(width / 2.188);
    QPixmap logo(width, height);
    logo.fill(Qt::white);
    QPainter painter(&logo);
    const int square = height / 4;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if ((row + column) % 2 == 0)
                painter.fillRect(column * square, row * square, square, square, Qt::black);
        }
    }
    painter.fillRect(4 * square, height / 2 - square / 3, width - 4 * square, square * 2 / 3,
                     QColor(200, 0, 0));
    QFont font("Sans", -1, QFont::Bold);
    font.setPixelSize(square);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(4 * square, 0, width - 4 * square, height / 2 - square / 3),
                     Qt::AlignCenter, "Kestrova");
    painter.drawText(
        QRect(4 * square, height / 2 + square / 3, width - 4 * square, height / 2 - square / 3),
        Qt::AlignCenter, "Qel Timer");
    return logo;
}

}  // namespace qel::ui
