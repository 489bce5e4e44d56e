#ifndef SC4830FP_SETUPHISTORY_H
#define SC4830FP_SETUPHISTORY_H

#include "sc4830fp_chcfg.h"

#include <cr2200fp_setupinterface.h>

#include <QVector>

class sc4830fp_fp;

// What the unit held before each of the panel's last applies that changed it, so that an
// operator can take an apply back. An apply may run inside another (each page's apply
// inside Apply to all, a setup or applying the changed channels): the outermost one counts
// as one apply. Nothing is kept while a page has never been applied (the attach's own
// apply, a unit that could not be opened): there is nothing the unit held to go back to.
// GUI thread only.
class sc4830fp_setupHistory
{
public:
    static constexpr int capacity = 10;

    // Around an apply of the panel's pages; nested calls pair up.
    void applyStarts(sc4830fp_fp &panel);
    void applyEnds(const sc4830fp_fp &panel);

    // Newest first, each with "replacedAt" in its information.
    QVector<cr2200fp_setup> entries() const { return kept; }

private:
    static bool everyPageApplied(const sc4830fp_fp &panel);

    int nesting = 0;
    bool recording = false; // the outermost apply started on a unit that held settings
    QVector<sc4830fp_chCfg::Settings> before; // each page's applied() at its start
    cr2200fp_setup beforeSetup;
    QVector<cr2200fp_setup> kept;
};

#endif // SC4830FP_SETUPHISTORY_H
