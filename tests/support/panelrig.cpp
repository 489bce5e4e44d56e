#include "panelrig.h"

#include <sc4830fp_chcfg.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QAbstractItemModel>
#include <QTimer>

PanelRig::PanelRig(Start start, int channels, Poll poll)
    : panel(new sc4830fp_fp)
    , model(channels == 16 ? SIMCARRIER_MODEL_16CH : SIMCARRIER_MODEL_8CH)
{
    if (poll == NotPolling)
        panel->statusTimer->stop();
    if (start != Demonstration)
        carrier = simcarrier_open(model);
    panel->setMaster(carrier, model, 0);
    if (start == Built)
        return;
    panel->initUnit();
    if (start == Attached)
        sc4830sim_clearLog();
}

PanelRig::~PanelRig()
{
    delete panel.data();
    if (carrier)
        simcarrier_close(carrier);
}

sc4830fp_chCfg *PanelRig::page(int index) const
{
    return panel->chPages[index];
}

QAbstractItemModel *PanelRig::table() const
{
    return qobject_cast<cr2200fp_overviewInterface *>(panel.data())->channelModel();
}

QString PanelRig::cell(int row, int column) const
{
    return table()->index(row, column).data().toString();
}

QString PanelRig::unit() const
{
    return QString::number(panel->d_vi);
}
