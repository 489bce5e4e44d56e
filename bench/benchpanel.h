#ifndef SFP_BENCHPANEL_H
#define SFP_BENCHPANEL_H

#include <visa.h>

class sc4830fp_chCfg;
class sc4830fp_fp;

// A panel set up as a host sets it up, for the figures: created and given a simulated
// 16-channel carrier (attached) or no session (demonstration, still with the carrier
// code 0x2611 so that initUnit() gives it 16 pages). initUnit() is left to the caller,
// which may want to time it. Owns the panel and the carrier session. GUI thread only.
class BenchPanel
{
public:
    enum Mode { Attached, Demonstration };

    explicit BenchPanel(Mode mode);
    ~BenchPanel();
    BenchPanel(const BenchPanel &) = delete;
    BenchPanel &operator=(const BenchPanel &) = delete;

    sc4830fp_fp *panel() const { return fp; }
    sc4830fp_chCfg *page(int index) const;
    int pageCount() const;

private:
    ViSession carrier = 0;
    sc4830fp_fp *fp = nullptr;
};

#endif // SFP_BENCHPANEL_H
