#include "benchpanel.h"

#include <sc4830fp_fp.h>
#include <simcarrier.h>

BenchPanel::BenchPanel(Mode mode)
{
    if (mode == Attached)
        carrier = simcarrier_open(SIMCARRIER_MODEL_16CH);
    fp = new sc4830fp_fp;
    fp->setMaster(carrier, SIMCARRIER_MODEL_16CH, 0);
}

BenchPanel::~BenchPanel()
{
    // The panel closes its unit session first, then the carrier it was opened on goes.
    delete fp;
    if (carrier != 0)
        simcarrier_close(carrier);
}

sc4830fp_chCfg *BenchPanel::page(int index) const
{
    return fp->chPages[index];
}

int BenchPanel::pageCount() const
{
    return fp->chCount;
}
