#include "ui/setup/setup_controls.h"

#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QTimer>

namespace qel::ui::setup {

namespace {

class SelectAllOnFocus : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            // A mouse click places the cursor after focus-in, so the selection
            // is made once the click has been handled.
            QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, this, [edit] {
                if (edit) edit->selectAll();
            });
        }
        return false;
    }
};

}  // namespace

void paintBackground(QWidget* widget, int32_t colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colourOf(colour));
    palette.setColor(QPalette::Base, colourOf(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void selectAllOnEntry(QLineEdit* edit) {
    edit->installEventFilter(new SelectAllOnFocus(edit));
}

}  // namespace qel::ui::setup
