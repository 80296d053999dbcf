// qeltimer: lap timer and race manager for slot-car tracks.
#include <QApplication>

#include "core/io/data_folder.h"
#include "ui/board/frm_qel_timer.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName("qeltimer");
    QApplication::setApplicationName("qeltimer");

    // The application folder is the program's own folder.
    const qel::AppFolder folder(QApplication::applicationDirPath().toStdString());

    qel::ui::FrmQelTimer window;
    window.show();
    return app.exec();
}
