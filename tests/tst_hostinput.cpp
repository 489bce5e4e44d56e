// Whatever the host passes to the panel's two slots: channel indices outside the pages,
// gain factors of any int, enable values other than 0 and 1, through each way a host
// reaches the slots (the panel's own class, the interface, a call by signature).
#include "modalanswerer.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <sc4830sim.h>
#include <simcarrier.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <climits>
#include <memory>

namespace {

// The three ways a host reaches the panel's slots.
enum Path { Direct, Interface, BySignature };

void hostGain(sc4830fp_fp *panel, Path path, int chIdx, int gainValue)
{
    cr2200fp_scuInterface *asHost = panel;
    switch (path) {
    case Direct:
        panel->masterGainChanged(chIdx, gainValue);
        break;
    case Interface:
        asHost->masterGainChanged(chIdx, gainValue);
        break;
    case BySignature:
        QVERIFY(QMetaObject::invokeMethod(
            asHost, "masterGainChanged", Q_ARG(int, chIdx), Q_ARG(int, gainValue)));
        break;
    }
}

void hostEnable(sc4830fp_fp *panel, Path path, int chIdx, int enable)
{
    cr2200fp_scuInterface *asHost = panel;
    switch (path) {
    case Direct:
        panel->masterChannelEnabled(chIdx, enable);
        break;
    case Interface:
        asHost->masterChannelEnabled(chIdx, enable);
        break;
    case BySignature:
        QVERIFY(QMetaObject::invokeMethod(
            asHost, "masterChannelEnabled", Q_ARG(int, chIdx), Q_ARG(int, enable)));
        break;
    }
}

// What a page shows of the host's input and of its own pending changes.
struct PageState
{
    int masterGain;
    QString totalGain;
    bool enabled;
    bool applyPending;

    bool operator==(const PageState &o) const
    {
        return masterGain == o.masterGain && totalGain == o.totalGain && enabled == o.enabled
            && applyPending == o.applyPending;
    }
};

QList<PageState> pageStates(const sc4830fp_fp *panel)
{
    QList<PageState> states;
    for (int i = 0; i < panel->chCount; ++i) {
        const sc4830fp_chCfg *page = panel->chPages[i];
        states.append({ page->masterGain, page->leTotalGain->text(), page->isEnabled(),
            page->pbApply->isEnabled() });
    }
    return states;
}

} // namespace

class tst_HostInput : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void indicesOutsideThePages_data();
    void indicesOutsideThePages();
    void pagesAddedByTheAttachTakeInput();
    void totalGainIsTheTrueProduct_data();
    void totalGainIsTheTrueProduct();
    void operatorGainAfterHostFactor();
    void enableValues_data();
    void enableValues();
    void reenabledPageKeepsItsOwnLocks();

private:
    std::unique_ptr<ModalAnswerer> boxes;
    ViSession carrier = 0;
};

void tst_HostInput::init()
{
    sc4830sim_reset();
    simcarrier_reset();
    boxes.reset(new ModalAnswerer);
}

void tst_HostInput::cleanup()
{
    boxes.reset();
    if (carrier)
        simcarrier_close(carrier);
    carrier = 0;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_HostInput::indicesOutsideThePages_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("attached");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("path");

    const QList<QPair<const char *, int>> eight { { "-1", -1 }, { "chCount", 8 }, { "16", 16 },
        { "INT_MIN", INT_MIN }, { "INT_MAX", INT_MAX } };
    const QList<QPair<const char *, int>> sixteen { { "-1", -1 }, { "chCount", 16 }, { "17", 17 },
        { "INT_MIN", INT_MIN }, { "INT_MAX", INT_MAX } };
    const QList<QPair<const char *, Path>> paths { { "panel", Direct }, { "interface", Interface },
        { "by signature", BySignature } };
    for (const auto &path : paths) {
        for (const auto &index : eight)
            QTest::addRow("attached 8 pages, %s, %s", index.first, path.first)
                << 0x2624 << true << index.second << int(path.second);
        for (const auto &index : sixteen)
            QTest::addRow("attached 16 pages, %s, %s", index.first, path.first)
                << 0x2611 << true << index.second << int(path.second);
    }
    // Before the attach the 16-channel carrier's pages 9 to 16 do not exist yet.
    QTest::newRow("16-channel carrier before the attach, 8") << 0x2611 << false << 8 << int(Direct);
    QTest::newRow("16-channel carrier before the attach, 15")
        << 0x2611 << false << 15 << int(Direct);
}

void tst_HostInput::indicesOutsideThePages()
{
    QFETCH(int, model);
    QFETCH(bool, attached);
    QFETCH(int, index);
    QFETCH(int, path);
    carrier = simcarrier_open(ViUInt16(model));
    sc4830fp_fp panel;
    panel.statusTimer->stop();
    panel.setMaster(carrier, ViUInt16(model), 0);
    if (attached)
        QVERIFY(panel.initUnit());
    // Some pages already hold host input, one is disabled, one has a change pending.
    panel.masterGainChanged(0, 7);
    panel.masterChannelEnabled(1, 0);
    panel.chPages[panel.chCount - 1]->cbShCal->setCurrentIndex(1);
    const QList<PageState> before = pageStates(&panel);
    QSignalSpy gains(&panel, &sc4830fp_fp::gainChanged);
    QSignalSpy errors(&panel, &sc4830fp_fp::masterError);
    sc4830sim_clearLog();

    hostGain(&panel, Path(path), index, 100000);
    hostGain(&panel, Path(path), index, INT_MIN);
    hostEnable(&panel, Path(path), index, 0);
    hostEnable(&panel, Path(path), index, 1);

    QVERIFY(pageStates(&panel) == before);
    QCOMPARE(panel.chCount, attached && model == 0x2611 ? 16 : 8);
    QCOMPARE(boxes->seen.size(), 0);
    QCOMPARE(gains.count(), 0);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_HostInput::pagesAddedByTheAttachTakeInput()
{
    carrier = simcarrier_open(0x2611);
    sc4830fp_fp panel;
    panel.setMaster(carrier, 0x2611, 0);
    panel.masterGainChanged(15, 3);
    panel.masterChannelEnabled(15, 0);
    QVERIFY(panel.initUnit());
    QCOMPARE(panel.chCount, 16);
    QCOMPARE(panel.chPages[15]->masterGain, 1);
    QVERIFY(panel.chPages[15]->isEnabled());

    panel.masterGainChanged(15, 3);
    panel.masterChannelEnabled(15, 0);
    QCOMPARE(panel.chPages[15]->masterGain, 3);
    QCOMPARE(panel.chPages[15]->leTotalGain->text(), QStringLiteral("3"));
    QVERIFY(!panel.chPages[15]->isEnabled());
    QCOMPARE(panel.chPages[14]->masterGain, 1);
    QVERIFY(panel.chPages[14]->isEnabled());
    QCOMPARE(boxes->seen.size(), 0);
}

void tst_HostInput::totalGainIsTheTrueProduct_data()
{
    QTest::addColumn<int>("gainIndex");
    QTest::addColumn<int>("factor");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("warns");

    QTest::newRow("1000 x INT_MAX") << 3 << INT_MAX << "2147483647000" << true;
    QTest::newRow("100 x INT_MAX") << 2 << INT_MAX << "214748364700" << true;
    QTest::newRow("1 x INT_MAX") << 0 << INT_MAX << "2147483647" << true;
    QTest::newRow("1000 x INT_MIN is quiet") << 3 << INT_MIN << "-2147483648000" << false;
    QTest::newRow("1 x INT_MIN is quiet") << 0 << INT_MIN << "-2147483648" << false;
    QTest::newRow("10 x factor whose 32-bit product is 4")
        << 1 << 429496730 << "4294967300" << true;
    QTest::newRow("1000 x 0") << 3 << 0 << "0" << false;
    QTest::newRow("1000 x -1") << 3 << -1 << "-1000" << false;
    QTest::newRow("1000 x -100000 is quiet") << 3 << -100000 << "-100000000" << false;
    QTest::newRow("1 x 10000 is the limit, quiet") << 0 << 10000 << "10000" << false;
    QTest::newRow("1 x 10001 warns") << 0 << 10001 << "10001" << true;
    QTest::newRow("100 x 100 is the limit, quiet") << 2 << 100 << "10000" << false;
    QTest::newRow("100 x 101 warns") << 2 << 101 << "10100" << true;
}

void tst_HostInput::totalGainIsTheTrueProduct()
{
    QFETCH(int, gainIndex);
    QFETCH(int, factor);
    QFETCH(QString, total);
    QFETCH(bool, warns);
    carrier = simcarrier_open(0x2624);
    sc4830fp_fp panel;
    panel.statusTimer->stop();
    panel.setMaster(carrier, 0x2624, 0);
    QVERIFY(panel.initUnit());
    sc4830fp_chCfg *page = panel.chPages[6];
    page->cbGain->setCurrentIndex(gainIndex);
    page->applyAction();
    QSignalSpy gains(&panel, &sc4830fp_fp::gainChanged);
    sc4830sim_clearLog();

    panel.masterGainChanged(6, factor);
    QCOMPARE(page->masterGain, factor);
    QCOMPARE(page->leTotalGain->text(), total);
    QCOMPARE(page->cbGain->currentIndex(), gainIndex);
    QCOMPARE(boxes->seen.size(), warns ? 1 : 0);
    if (warns) {
        QCOMPARE(boxes->seen[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes->seen[0].title, QStringLiteral("Warning"));
        QCOMPARE(
            boxes->seen[0].text, QStringLiteral("Total system gain %1 is too high").arg(total));
        QCOMPARE(boxes->seen[0].buttons, QStringList { "Ok" });
    }
    // The host's factor is the panel's display only: nothing goes to the unit or back.
    QVERIFY(page->pbApply->isEnabled());
    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(gains.count(), 0);

    // Applied, the host hears the unit's own gain, never the product.
    page->pbApply->click();
    const double unitGains[] = { 1.0, 10.0, 100.0, 1000.0 };
    QCOMPARE(gains.count(), 1);
    QCOMPARE(gains[0][0].toInt(), 6);
    QCOMPARE(gains[0][1].toDouble(), unitGains[gainIndex]);
    QCOMPARE(page->leTotalGain->text(), total);
    QCOMPARE(boxes->seen.size(), warns ? 1 : 0);
}

void tst_HostInput::operatorGainAfterHostFactor()
{
    // The product holds in both orders: the host's factor first, the step afterwards.
    sc4830fp_fp panel;
    panel.initUnit();
    sc4830fp_chCfg *page = panel.chPages[2];
    panel.masterGainChanged(2, INT_MAX);
    QCOMPARE(page->leTotalGain->text(), QStringLiteral("2147483647"));
    page->cbGain->setCurrentIndex(3);
    QCOMPARE(page->leTotalGain->text(), QStringLiteral("2147483647000"));
    page->cbGain->setCurrentIndex(0);
    panel.masterGainChanged(2, -5);
    page->cbGain->setCurrentIndex(3);
    QCOMPARE(page->leTotalGain->text(), QStringLiteral("-5000"));
    QCOMPARE(boxes->seen.size(), 3);
    QCOMPARE(boxes->seen[1].text, QStringLiteral("Total system gain 2147483647000 is too high"));
    QCOMPARE(boxes->seen[2].text, QStringLiteral("Total system gain 2147483647 is too high"));
}

void tst_HostInput::enableValues_data()
{
    QTest::addColumn<int>("enable");
    QTest::addColumn<int>("path");
    const QList<QPair<const char *, int>> values { { "1", 1 }, { "2", 2 }, { "-1", -1 },
        { "INT_MIN", INT_MIN }, { "INT_MAX", INT_MAX }, { "0x100", 0x100 } };
    const QList<QPair<const char *, Path>> paths { { "panel", Direct }, { "interface", Interface },
        { "by signature", BySignature } };
    for (const auto &path : paths) {
        for (const auto &value : values)
            QTest::addRow("%s, %s", value.first, path.first) << value.second << int(path.second);
    }
}

void tst_HostInput::enableValues()
{
    QFETCH(int, enable);
    QFETCH(int, path);
    sc4830fp_fp panel;
    panel.initUnit();
    // Any value but 0 enables, from either state; 0 disables.
    hostEnable(&panel, Path(path), 4, 0);
    QVERIFY(!panel.chPages[4]->isEnabled());
    hostEnable(&panel, Path(path), 4, enable);
    QVERIFY(panel.chPages[4]->isEnabled());
    hostEnable(&panel, Path(path), 4, enable);
    QVERIFY(panel.chPages[4]->isEnabled());
    hostEnable(&panel, Path(path), 4, 0);
    QVERIFY(!panel.chPages[4]->isEnabled());
    for (int i = 0; i < panel.chCount; ++i)
        QCOMPARE(panel.chPages[i]->isEnabled(), i != 4);
}

void tst_HostInput::reenabledPageKeepsItsOwnLocks()
{
    // Without a reference the signal path is locked on every page; ICP locks coupling and
    // excitation; an applied page has no change pending. The host's enable gives back
    // the page, not what the page itself had locked.
    sc4830sim_setReference(SC4830SIM_REF_NO_SOURCE, 0.0, 0);
    carrier = simcarrier_open(0x2624);
    sc4830fp_fp panel;
    panel.statusTimer->stop();
    panel.setMaster(carrier, 0x2624, 0);
    QVERIFY(panel.initUnit());
    sc4830fp_chCfg *page = panel.chPages[3];
    page->cbMode->setCurrentIndex(5);
    page->applyAction();

    panel.masterChannelEnabled(3, 0);
    QVERIFY(!page->cbMode->isEnabled());
    panel.masterGainChanged(3, 20); // a disabled page still shows the host's factor
    QCOMPARE(page->leTotalGain->text(), QStringLiteral("20"));
    panel.masterChannelEnabled(3, INT_MIN);

    QVERIFY(page->isEnabled());
    QVERIFY(page->cbMode->isEnabled());
    QVERIFY(page->pbApplyAll->isEnabled());
    QVERIFY(!page->chkSignalPath->isEnabled());
    QVERIFY(!page->cbCoup->isEnabled());
    QVERIFY(!page->dsbPosExc->isEnabled());
    QVERIFY(!page->chkExcitation->isEnabled());
    // The host's gain factor made a change pending, which stays pending.
    QVERIFY(page->pbApply->isEnabled());
    QCOMPARE(boxes->seen.size(), 0);
}

QTEST_MAIN(tst_HostInput)
#include "tst_hostinput.moc"
