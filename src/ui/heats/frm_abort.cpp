#include "ui/heats/frm_abort.h"

#include <QHBoxLayout>
#include <QPushButton>

#include "ui/widgets/required_hooks.h"

namespace qel::ui {

FrmAbort::FrmAbort(AbortHooks hooks, QWidget* parent) : QDialog(parent), hooks_(std::move(hooks)) {
    requireHooks("frmAbort", {{"restartHeat", bool(hooks_.restartHeat)},
                              {"abortRace", bool(hooks_.abortRace)}});
    setObjectName("frmAbort");
    setWindowTitle("Abort");
    setModal(true);

    auto* cmdStartHeat = new QPushButton("&Restart Heat", this);
    cmdStartHeat->setObjectName("cmdStartHeat");
    auto* cmdAbortRace = new QPushButton("&Abort Race", this);
    cmdAbortRace->setObjectName("cmdAbortRace");
    auto* cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    // Enter leaves the heat paused: neither choice loses anything by accident.
    cmdCancel->setDefault(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(cmdStartHeat);
    layout->addWidget(cmdAbortRace);
    layout->addWidget(cmdCancel);

    connect(cmdStartHeat, &QPushButton::clicked, this, [this] {
        hooks_.restartHeat();
        done(RestartedHeat);
    });
    connect(cmdAbortRace, &QPushButton::clicked, this, [this] {
        hooks_.abortRace();
        done(AbortedRace);
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace qel::ui
