#pragma once
// What the two start-light windows share: four lamps drawn as their sequence
// says, placed from the screen size, a right click hurrying the green and Esc
// abandoning the start. Not modal; each deletes itself when it closes.
#include <QWidget>
#include <array>

#include "core/engine/start_lights.h"

namespace qel::ui {

class FrmStartLights : public QWidget {
    Q_OBJECT

  public:
    const StartLights& model() const { return *model_; }

  protected:
    FrmStartLights(const QString& objectName, QWidget* parent);

    // The hooks the sequence gets: the window redraws and closes with it.
    StartSequenceHooks withWindow(StartSequenceHooks hooks);
    // Places the window and lamps, then loads the sequence.
    void start(StartLights& model, LightWindowGeometry (*geometry)(int, int));

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void place(LightWindowGeometry (*geometry)(int, int));
    void render();

    StartLights* model_ = nullptr;
    std::array<QWidget*, kLampCount> shape1_{};
    bool inCloseEvent_ = false;
};

}  // namespace qel::ui
