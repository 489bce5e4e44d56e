#ifndef SFP_CHANNELTAB_H
#define SFP_CHANNELTAB_H

#include <QString>

class sc4830fp_fp;

// A channel's tab as an operator and a screen reader meet it: the words its tooltip shows,
// which must also be what a screen reader reads as the tab's description; a marker icon
// exactly while there are words; and the tab's name, "Ch N", unchanged. A consistent tab
// gives its words ("" for a plain tab); any mismatch gives a text naming it, so that a
// comparison with the expected words fails and says why.
QString channelTab(const sc4830fp_fp *panel, int chIdx);

#endif // SFP_CHANNELTAB_H
