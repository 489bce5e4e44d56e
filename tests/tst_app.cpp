#include "accessiblecontrols.h"
#include "cr2200fp_app.h"
#include "cr2200fp_app_pixmaps.h"
#include "cr2200fp_led.h"
#include "cr2200fp_messages.h"
#include "modalanswerer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWhatsThis>
#include <QtTest>

namespace {

const QString contStartHelp = QStringLiteral(
    "<html>Starts the repetitive data acquisition (or continuous data acquisition, when "
    "file storage option is turned on)</html>");

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage pictureOf(const char *const xpm[])
{
    return argb(QPixmap(xpm).toImage());
}

QImage iconImage(const QAbstractButton *button)
{
    return argb(button->icon().pixmap(12, 12).toImage());
}

QImage labelImage(const QLabel *label)
{
    return argb(label->pixmap(Qt::ReturnByValue).toImage());
}

QImage resourceImage(const char *path)
{
    return argb(QImage(QString::fromLatin1(path)));
}

QWidget *member(cr2200fp_app &frame, const QString &name)
{
    const QHash<QString, QWidget *> members = {
        { "ledActive", frame.ledActive },
        { "pbAutoscale", frame.pbAutoscale },
        { "pbIdent", frame.pbIdent },
        { "pbSingle", frame.pbSingle },
        { "pbCont", frame.pbCont },
        { "pbReset", frame.pbReset },
        { "pbWhatsThis", frame.pbWhatsThis },
        { "pbAbout", frame.pbAbout },
        { "pbClose", frame.pbClose },
        { "lblAutoscale", frame.lblAutoscale },
        { "lblIdent", frame.lblIdent },
        { "lblStatusA", frame.lblStatusA },
        { "lblStatusB", frame.lblStatusB },
        { "lblTitle", frame.lblTitle },
        { "lblRightLogo", frame.lblRightLogo },
        { "contentWidget", frame.contentWidget },
    };
    return members.value(name);
}

// The widgets of a layout in order, with nullptr standing for a stretch.
QList<QWidget *> itemsOf(QLayout *layout)
{
    QList<QWidget *> items;
    for (int i = 0; i < layout->count(); ++i)
        items.append(layout->itemAt(i)->widget());
    return items;
}

// Records the order in which the acquisition signals fire.
void recordAcquisition(cr2200fp_app &frame, QStringList *log)
{
    QObject::connect(&frame, &cr2200fp_app::startSingle, [log] { log->append("startSingle"); });
    QObject::connect(&frame, &cr2200fp_app::breakSingle, [log] { log->append("breakSingle"); });
    QObject::connect(&frame, &cr2200fp_app::startCont, [log] { log->append("startCont"); });
    QObject::connect(&frame, &cr2200fp_app::stopCont, [log] { log->append("stopCont"); });
}

} // namespace

class tst_app : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void constructionSwitchesApplicationToPlastique();
    void metaObjectKeepsHostSignatures();
    void picturesHaveTheirSizesAndColours_data();
    void picturesHaveTheirSizesAndColours();

    void bannerContentAndButtonColumn();
    void optionalPartsStartHidden();
    void everyControlHasHelp();
    void controlsStartInTheirRestingState();
    void contentLayoutGoesIntoContentArea();
    void accessibleNames_data();
    void accessibleNames();
    void everyControlIsNamed();

    void statusLines_data();
    void statusLines();
    void demoPutsTheLampOut();
    void rightLogo();
    void switches_data();
    void switches();
    void showingOptionalSwitches();

    void startAndStop_data();
    void startAndStop();
    void disabledStartButtonDoesNothing();
    void userBreak_data();
    void userBreak();
    void resetAndHelpButtons();

    void closeAsksFirst_data();
    void closeAsksFirst();
    void centreOnScreen_data();
    void centreOnScreen();
    void constructedFrameIsCentred();
};

void tst_app::initTestCase()
{
    // Closing the last frame must not post a quit that would end a later message box's
    // event loop at once.
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY2(QStyleFactory::keys().contains(cr2200fp_app::panelStyleName(), Qt::CaseInsensitive),
        "the Plastique style plug-in (qt5-style-plugins) is missing");
    QVERIFY2(!QImage(":/vxi-logo.bmp").isNull(), "the resource tree is not linked in");
}

void tst_app::cleanup()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        QVERIFY2(!qobject_cast<cr2200fp_app *>(w), "a frame outlived its test");
        QVERIFY2(!qobject_cast<QMessageBox *>(w), "a message box outlived its test");
    }
}

void tst_app::constructionSwitchesApplicationToPlastique()
{
    QApplication::setStyle(QStyleFactory::create("Windows"));
    QVERIFY(QApplication::style()->objectName().compare("windows", Qt::CaseInsensitive) == 0);

    cr2200fp_app frame;
#if QT_VERSION_MAJOR >= 6
    QCOMPARE(QApplication::style()->objectName().toLower(), QString("fusion"));
#else
    QCOMPARE(QApplication::style()->objectName().toLower(), QString("plastique"));
#endif
    // The whole application, not just the frame.
    QWidget bystander;
    QCOMPARE(bystander.style(), QApplication::style());
    QCOMPARE(frame.pbReset->style(), QApplication::style());
}

void tst_app::metaObjectKeepsHostSignatures()
{
    const QMetaObject &mo = cr2200fp_app::staticMetaObject;
    QCOMPARE(mo.className(), "cr2200fp_app");
    const QList<QByteArray> expected = {
        "autoscaleToggled(bool)",
        "identToggled(bool)",
        "startSingle()",
        "breakSingle()",
        "startCont()",
        "stopCont()",
        "resetPressed()",
        "enterWIT()",
        "userBreak()",
        "enableStart()",
        "autoscaleToggledSlot(bool)",
        "identToggledSlot(bool)",
        "startToggledSlot(bool)",
        "startContToggledSlot(bool)",
    };
    QCOMPARE(mo.methodCount() - mo.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod m = mo.method(mo.methodOffset() + i);
        QCOMPARE(m.methodSignature(), expected.at(i));
        if (i < 7) {
            QCOMPARE(m.methodType(), QMetaMethod::Signal);
        } else {
            QCOMPARE(m.methodType(), QMetaMethod::Slot);
            QCOMPARE(m.access(), i < 10 ? QMetaMethod::Public : QMetaMethod::Private);
        }
        if (i >= 10)
            QCOMPARE(m.parameterNames(), QList<QByteArray> { "status" });
    }
}

void tst_app::picturesHaveTheirSizesAndColours_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    QTest::newRow("window icon") << 0 << QSize(16, 16) << 5;
    QTest::newRow("help icon") << 1 << QSize(20, 17) << 3;
    QTest::newRow("single-shot start") << 2 << QSize(12, 12) << 2;
    QTest::newRow("continuous start") << 3 << QSize(12, 12) << 2;
    QTest::newRow("stop") << 4 << QSize(12, 12) << 2;
}

void tst_app::picturesHaveTheirSizesAndColours()
{
    const char *const *const pictures[] = {
        cr2200fp_pixmaps::windowIcon,
        cr2200fp_pixmaps::helpIcon,
        cr2200fp_pixmaps::singleStartIcon,
        cr2200fp_pixmaps::contStartIcon,
        cr2200fp_pixmaps::stopIcon,
    };
    QFETCH(int, index);
    QFETCH(QSize, size);
    QFETCH(int, colours);

    const QImage image = pictureOf(pictures[index]);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), size);
    const QStringList header = QString::fromLatin1(pictures[index][0]).split(' ');
    QCOMPARE(header.value(2).toInt(), colours);
    // Every declared colour is really drawn.
    QSet<QRgb> used;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            used.insert(image.pixel(x, y));
    QCOMPARE(used.size(), colours);
    // The three acquisition pictures must be told apart at a glance.
    for (int other = 2; other < 5; ++other) {
        if (index >= 2 && other != index)
            QVERIFY(pictureOf(pictures[other]) != image);
    }
}

void tst_app::bannerContentAndButtonColumn()
{
    cr2200fp_app frame;
    QVERIFY(frame.layoutReady);
    QVERIFY(frame.isWindow());
    QVERIFY(!frame.parentWidget());

    // The banner: the maker's logo from the resource tree, the title, the right logo.
    auto *main = qobject_cast<QVBoxLayout *>(frame.layout());
    QVERIFY(main);
    QCOMPARE(main->count(), 2);
    const QList<QWidget *> bannerItems = itemsOf(main->itemAt(0)->layout());
    QCOMPARE(bannerItems.size(), 3);
    QCOMPARE(
        labelImage(qobject_cast<QLabel *>(bannerItems.at(0))), resourceImage(":/tormel-logo.bmp"));
    QCOMPARE(bannerItems.at(1), frame.lblTitle);
    QCOMPARE(bannerItems.at(2), frame.lblRightLogo);

    // Below it the host's content, and the buttons top to bottom beside it.
    QLayout *middle = main->itemAt(1)->layout();
    QCOMPARE(middle->itemAt(0)->widget(), frame.contentWidget);
    QCOMPARE(middle->itemAt(1)->layout(), frame.buttonColumn);
    QList<QWidget *> column = itemsOf(frame.buttonColumn);
    column.removeAll(nullptr);
    auto *group = qobject_cast<QGroupBox *>(frame.ledActive->parentWidget());
    QVERIFY(group);
    QCOMPARE(column,
        QList<QWidget *>({ group, frame.lblAutoscale, frame.pbAutoscale, frame.lblIdent,
            frame.pbIdent, frame.pbSingle, frame.pbCont, frame.pbReset, frame.pbWhatsThis,
            frame.pbAbout, frame.pbClose }));
    QCOMPARE(itemsOf(group->layout()),
        QList<QWidget *>({ frame.ledActive, frame.lblStatusA, frame.lblStatusB }));
}

void tst_app::optionalPartsStartHidden()
{
    cr2200fp_app frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    const QList<QWidget *> hidden = { frame.lblStatusA, frame.lblStatusB, frame.lblAutoscale,
        frame.pbAutoscale, frame.lblIdent, frame.pbIdent, frame.pbSingle, frame.pbCont };
    for (QWidget *w : hidden)
        QVERIFY(!w->isVisible());
    const QList<QWidget *> shown = { frame.ledActive, frame.lblTitle, frame.lblRightLogo,
        frame.pbReset, frame.pbWhatsThis, frame.pbAbout, frame.pbClose, frame.contentWidget };
    for (QWidget *w : shown)
        QVERIFY(w->isVisible());
}

// Every control explains itself in What's This? mode; where it has a tooltip too, the
// tooltip says the same.
void tst_app::everyControlHasHelp()
{
    cr2200fp_app frame;
    for (QWidget *w :
        QList<QWidget *> { frame.ledActive, frame.pbAutoscale, frame.pbIdent, frame.pbSingle,
            frame.pbCont, frame.pbReset, frame.pbWhatsThis, frame.pbAbout, frame.pbClose }) {
        QVERIFY2(!w->whatsThis().isEmpty(), w->metaObject()->className());
        if (!w->toolTip().isEmpty())
            QCOMPARE(w->toolTip(), w->whatsThis());
    }
}

void tst_app::controlsStartInTheirRestingState()
{
    cr2200fp_app frame;
    // Green: working with a real unit.
    QCOMPARE(frame.ledActive->getOnColor(), QColor(Qt::green));

    QVERIFY(frame.pbAutoscale->isCheckable());
    QVERIFY(frame.pbAutoscale->isChecked());
    QCOMPARE(frame.pbAutoscale->text(), QString("ON"));
    QVERIFY(frame.pbIdent->isCheckable());
    QVERIFY(!frame.pbIdent->isChecked());
    QCOMPARE(frame.pbIdent->text(), QString("OFF"));

    for (QPushButton *pb : { frame.pbSingle, frame.pbCont }) {
        QVERIFY(pb->isCheckable());
        QVERIFY(!pb->isChecked());
        QVERIFY(pb->isEnabled());
        QVERIFY(pb->text().isEmpty());
    }
    QCOMPARE(iconImage(frame.pbSingle), pictureOf(cr2200fp_pixmaps::singleStartIcon));
    QCOMPARE(iconImage(frame.pbCont), pictureOf(cr2200fp_pixmaps::contStartIcon));

    QCOMPARE(frame.pbReset->text(), QString("Reset Device"));
    QCOMPARE(frame.pbAbout->text(), QString("About"));
    QCOMPARE(frame.pbClose->text(), QString("Close"));
    QVERIFY(frame.pbWhatsThis->text().isEmpty());
    QCOMPARE(argb(frame.pbWhatsThis->icon().pixmap(20, 17).toImage()),
        pictureOf(cr2200fp_pixmaps::helpIcon));
    QCOMPARE(
        argb(frame.windowIcon().pixmap(16, 16).toImage()), pictureOf(cr2200fp_pixmaps::windowIcon));
}

void tst_app::contentLayoutGoesIntoContentArea()
{
    cr2200fp_app frame;
    QLayout *own = frame.layout();
    auto *content = new QHBoxLayout;
    auto *control = new QLabel("instrument");
    content->addWidget(control);

    frame.setContentLayout(content);
    QCOMPARE(frame.contentWidget->layout(), content);
    QCOMPARE(frame.layout(), own);
    QCOMPARE(control->parentWidget(), frame.contentWidget);
}

void tst_app::accessibleNames_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<bool>("press"); // pressed once first
    QTest::addColumn<QString>("name"); // what a screen reader reads as the name
    QTest::addColumn<QString>("caption"); // the label it reads with it, if any
    const auto row = [](const char *tag, const char *member, bool press, const char *name,
                         const char *caption) {
        QTest::newRow(tag) << QString(member) << press << QString(name) << QString(caption);
    };

    row("help, an icon", "pbWhatsThis", false, "What's This?", "");
    row("single shot, an icon", "pbSingle", false, "Single-shot acquisition", "");
    // The icon turns into a stop sign; the checked state tells a screen reader so.
    row("single shot, running", "pbSingle", true, "Single-shot acquisition", "");
    row("continuous, an icon", "pbCont", false, "Continuous acquisition", "");
    row("continuous, running", "pbCont", true, "Continuous acquisition", "");
    row("autoscale switch, ON", "pbAutoscale", false, "Autoscale", "Autoscale");
    row("identify switch, OFF", "pbIdent", false, "Identify", "Identify");
    row("identify switch, ON", "pbIdent", true, "Identify", "Identify");
    row("activity lamp", "ledActive", false, "Active", "");
}

void tst_app::accessibleNames()
{
    QFETCH(QString, member);
    QFETCH(bool, press);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    cr2200fp_app frame;
    QWidget *w = ::member(frame, member);
    if (press) {
        auto *button = qobject_cast<QAbstractButton *>(w);
        button->click();
        QVERIFY(button->isChecked());
    }
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (!caption.isEmpty())
        QVERIFY2(accessibleLabels(w).contains(caption), qPrintable(accessibleLabels(w).join(", ")));
}

void tst_app::everyControlIsNamed()
{
    cr2200fp_app frame;
    frame.showAutoscale(true);
    frame.showIdent(true);
    // Lamp, two switches, two start buttons, reset, help, about and close.
    QCOMPARE(accessibleControls(&frame).size(), 9);
    QCOMPARE(unnamedControls(&frame), QStringList());
}

void tst_app::statusLines_data()
{
    QTest::addColumn<bool>("lineB");
    QTest::newRow("line A") << false;
    QTest::newRow("line B") << true;
}

void tst_app::statusLines()
{
    QFETCH(bool, lineB);
    cr2200fp_app frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QLabel *line = lineB ? frame.lblStatusB : frame.lblStatusA;
    QLabel *other = lineB ? frame.lblStatusA : frame.lblStatusB;
    auto set = [&](const QString &text, const QString &help) {
        lineB ? frame.setStatusB(text, help) : frame.setStatusA(text, help);
    };

    set("Connected to TCPIP0::10.0.0.2", "Where the instrument is");
    QVERIFY(line->isVisible());
    QCOMPARE(line->text(), QString("Connected to TCPIP0::10.0.0.2"));
    QCOMPARE(line->whatsThis(), QString("Where the instrument is"));

    set("Connected to GPIB0::5", QString());
    QVERIFY(line->isVisible());
    QCOMPARE(line->text(), QString("Connected to GPIB0::5"));
    QCOMPARE(line->whatsThis(), QString("Where the instrument is"));

    set(QString(), "Nothing connected");
    QVERIFY(!line->isVisible());
    QVERIFY(line->text().isEmpty());
    QCOMPARE(line->whatsThis(), QString("Nothing connected"));

    set("Demo", QString());
    QVERIFY(line->isVisible());
    QCOMPARE(line->whatsThis(), QString("Nothing connected"));

    QVERIFY(!other->isVisible());
    QVERIFY(other->text().isEmpty());
    QVERIFY(other->whatsThis().isEmpty());
}

void tst_app::demoPutsTheLampOut()
{
    cr2200fp_app frame;
    QAccessibleInterface *lamp = QAccessible::queryAccessibleInterface(frame.ledActive);
    const QString demo("Demonstration: no unit is attached");
    QCOMPARE(frame.ledActive->getValue(), 0);
    QCOMPARE(lamp->text(QAccessible::Description), demo);
    frame.setDemo(false);
    QCOMPARE(frame.ledActive->getValue(), 1);
    QCOMPARE(lamp->text(QAccessible::Description), QString("Working with a real unit"));
    frame.setDemo(false);
    QCOMPARE(frame.ledActive->getValue(), 1);
    frame.setDemo(true);
    QCOMPARE(frame.ledActive->getValue(), 0);
    QCOMPARE(lamp->text(QAccessible::Description), demo);
}

void tst_app::rightLogo()
{
    const QImage vxi = resourceImage(":/vxi-logo.bmp");
    const QImage lxi = resourceImage(":/lxi-logo.bmp");
    QVERIFY(!lxi.isNull());
    QVERIFY(vxi != lxi);

    cr2200fp_app frame;
    QCOMPARE(labelImage(frame.lblRightLogo), vxi);
    frame.setLxiLogo(false);
    QCOMPARE(labelImage(frame.lblRightLogo), vxi);
    frame.setLxiLogo(true);
    QCOMPARE(labelImage(frame.lblRightLogo), lxi);
    frame.setLxiLogo(false);
    QCOMPARE(labelImage(frame.lblRightLogo), lxi);
    frame.clearRightLogo();
    QVERIFY(frame.lblRightLogo->pixmap(Qt::ReturnByValue).isNull());
    frame.setLxiLogo(false);
    QVERIFY(frame.lblRightLogo->pixmap(Qt::ReturnByValue).isNull());
    frame.setLxiLogo(true);
    QCOMPARE(labelImage(frame.lblRightLogo), lxi);
}

void tst_app::switches_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<bool>("startsOn");
    QTest::newRow("autoscale") << "pbAutoscale" << QByteArray(SIGNAL(autoscaleToggled(bool)))
                               << true;
    QTest::newRow("identify") << "pbIdent" << QByteArray(SIGNAL(identToggled(bool))) << false;
}

void tst_app::switches()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, signal);
    QFETCH(bool, startsOn);

    cr2200fp_app frame;
    auto *button = qobject_cast<QPushButton *>(member(frame, name));
    QVERIFY(button);
    QSignalSpy spy(&frame, signal.constData());
    QVERIFY(spy.isValid());

    bool on = startsOn;
    for (int press = 1; press <= 3; ++press) {
        button->click();
        on = !on;
        QCOMPARE(button->isChecked(), on);
        QCOMPARE(button->text(), on ? QString("ON") : QString("OFF"));
        QCOMPARE(spy.count(), press);
        QCOMPARE(spy.last().at(0).toBool(), on);
    }
}

void tst_app::showingOptionalSwitches()
{
    cr2200fp_app frame;
    frame.showIdent(true);
    QVERIFY(!frame.lblIdent->isHidden());
    QVERIFY(!frame.pbIdent->isHidden());
    QVERIFY(frame.pbAutoscale->isHidden());
    frame.showIdent(false);
    QVERIFY(frame.lblIdent->isHidden());
    QVERIFY(frame.pbIdent->isHidden());

    frame.resize(frame.minimumSizeHint());
    frame.showAutoscale(false);
    QVERIFY(frame.lblAutoscale->isHidden());
    QVERIFY(frame.size() != QSize(800, 600));
    frame.showAutoscale(true);
    QVERIFY(!frame.lblAutoscale->isHidden());
    QVERIFY(!frame.pbAutoscale->isHidden());
    QVERIFY(frame.lblIdent->isHidden());
    QCOMPARE(frame.size(), QSize(800, 600));
    frame.showAutoscale(false);
    QVERIFY(frame.lblAutoscale->isHidden());
    QVERIFY(frame.pbAutoscale->isHidden());
}

void tst_app::startAndStop_data()
{
    QTest::addColumn<bool>("continuous");
    QTest::addColumn<QStringList>("reported"); // the start, then the stop
    QTest::addColumn<QString>("stopHelp"); // tooltip and What's This? while it runs
    QTest::addColumn<QString>("startHelp"); // and once it is stopped

    QTest::newRow("single shot") << false << QStringList { "startSingle", "breakSingle" }
                                 << "Breaks the Single-Shot Data Acquisition"
                                 << "Starts the Single-Shot Data Acquisition";
    QTest::newRow("continuous") << true << QStringList { "startCont", "stopCont" }
                                << "Stops the Data Acquisition process" << contStartHelp;
}

void tst_app::startAndStop()
{
    QFETCH(bool, continuous);
    QFETCH(QStringList, reported);
    QFETCH(QString, stopHelp);
    QFETCH(QString, startHelp);

    cr2200fp_app frame;
    QStringList log;
    recordAcquisition(frame, &log);
    QPushButton *button = continuous ? frame.pbCont : frame.pbSingle;
    QPushButton *other = continuous ? frame.pbSingle : frame.pbCont;
    const QImage startIcon = pictureOf(
        continuous ? cr2200fp_pixmaps::contStartIcon : cr2200fp_pixmaps::singleStartIcon);

    button->click();
    QCOMPARE(log, reported.mid(0, 1));
    QVERIFY(button->isChecked());
    QVERIFY(button->isEnabled());
    QVERIFY(!other->isEnabled());
    QCOMPARE(iconImage(button), pictureOf(cr2200fp_pixmaps::stopIcon));
    QCOMPARE(button->whatsThis(), stopHelp);
    QCOMPARE(button->toolTip(), stopHelp);

    // Stopped, both wait for the instrument to say it has stopped.
    button->click();
    QCOMPARE(log, reported);
    QVERIFY(!button->isChecked());
    QVERIFY(!button->isEnabled());
    QVERIFY(!other->isEnabled());
    QCOMPARE(iconImage(button), startIcon);
    QCOMPARE(button->whatsThis(), startHelp);
    QCOMPARE(button->toolTip(), startHelp);

    frame.enableStart();
    QVERIFY(frame.pbSingle->isEnabled());
    QVERIFY(frame.pbCont->isEnabled());
    QCOMPARE(log, reported);
}

void tst_app::disabledStartButtonDoesNothing()
{
    cr2200fp_app frame;
    QStringList log;
    recordAcquisition(frame, &log);

    frame.pbCont->click();
    frame.pbSingle->click(); // disabled while the continuous acquisition runs
    QCOMPARE(log, QStringList { "startCont" });
    QVERIFY(!frame.pbSingle->isChecked());

    frame.pbCont->click();
    frame.pbCont->click(); // both disabled until the instrument has stopped
    frame.pbSingle->click();
    QCOMPARE(log, (QStringList { "startCont", "stopCont" }));
}

void tst_app::userBreak_data()
{
    QTest::addColumn<bool>("singleRunning");
    QTest::addColumn<bool>("contRunning");
    QTest::addColumn<bool>("afterStop");
    QTest::addColumn<QStringList>("reported");

    QTest::newRow("idle") << false << false << false << QStringList();
    QTest::newRow("after a stop, before enableStart") << false << false << true << QStringList();
    QTest::newRow("single-shot running") << true << false << false << QStringList { "breakSingle" };
    QTest::newRow("continuous running") << false << true << false << QStringList { "stopCont" };
    QTest::newRow("both checked by the instrument")
        << true << true << false << QStringList { "stopCont", "breakSingle" };
}

void tst_app::userBreak()
{
    QFETCH(bool, singleRunning);
    QFETCH(bool, contRunning);
    QFETCH(bool, afterStop);
    QFETCH(QStringList, reported);

    cr2200fp_app frame;
    if (afterStop) {
        frame.pbSingle->click();
        frame.pbSingle->click();
        QVERIFY(!frame.pbSingle->isEnabled());
    }
    // Checked directly, as instrument code that starts on its own would.
    frame.pbSingle->setChecked(singleRunning);
    frame.pbCont->setChecked(contRunning);
    QStringList log;
    recordAcquisition(frame, &log);

    frame.userBreak();
    QCOMPARE(log, reported);
    QVERIFY(!frame.pbSingle->isChecked());
    QVERIFY(!frame.pbCont->isChecked());
    QVERIFY(frame.pbSingle->isEnabled());
    QVERIFY(frame.pbCont->isEnabled());
    QCOMPARE(iconImage(frame.pbSingle), pictureOf(cr2200fp_pixmaps::singleStartIcon));
    QCOMPARE(iconImage(frame.pbCont), pictureOf(cr2200fp_pixmaps::contStartIcon));
}

void tst_app::resetAndHelpButtons()
{
    cr2200fp_app frame;
    QSignalSpy reset(&frame, &cr2200fp_app::resetPressed);
    frame.pbReset->click();
    frame.pbReset->click();
    QCOMPARE(reset.count(), 2);

    QVERIFY(!QWhatsThis::inWhatsThisMode());
    frame.pbWhatsThis->click();
    QVERIFY(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    QVERIFY(!QWhatsThis::inWhatsThisMode());
}

void tst_app::closeAsksFirst_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");

    QTest::newRow("No keeps it open") << QString() << false << int(QMessageBox::No) << false;
    QTest::newRow("Yes closes") << QString() << false << int(QMessageBox::Yes) << true;
    QTest::newRow("Close button, No") << QString() << true << int(QMessageBox::No) << false;
    QTest::newRow("Close button, Yes") << QString() << true << int(QMessageBox::Yes) << true;
    QTest::newRow("model in the title") << "4830" << false << int(QMessageBox::No) << false;
}

void tst_app::closeAsksFirst()
{
    QFETCH(QString, model);
    QFETCH(bool, byButton);
    QFETCH(int, answer);
    QFETCH(bool, closes);

    const QString savedModel = sfpModelName;
    sfpModelName = model;
    cr2200fp_app frame;
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    ModalAnswerer answerer;
    answerer.queue(QMessageBox::StandardButton(answer));
    bool closed = false;
    if (byButton) {
        frame.pbClose->click();
        closed = !frame.isVisible();
    } else {
        closed = frame.close();
    }
    sfpModelName = savedModel;

    QCOMPARE(answerer.seen.size(), 1);
    const SeenBox &box = answerer.seen.first();
    QCOMPARE(box.title, "Orbisa " + model + " SFP");
    QCOMPARE(box.text, QString("Do you really want to exit?"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(
        QSet<QString>(box.buttons.begin(), box.buttons.end()), (QSet<QString> { "Yes", "No" }));
    QCOMPARE(box.parent.data(), &frame);

    QCOMPARE(closed, closes);
    QCOMPARE(frame.isVisible(), !closes);
}

void tst_app::centreOnScreen_data()
{
    // The frame's size relative to the available area, and where its corner must land.
    QTest::addColumn<QSize>("larger");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("as large as the area") << QSize(0, 0) << QPoint(0, 0);
    QTest::newRow("even margins") << QSize(-100, -60) << QPoint(50, 30);
    QTest::newRow("odd margins round down") << QSize(-101, -61) << QPoint(50, 30);
    QTest::newRow("one pixel too large truncates to 0") << QSize(1, 1) << QPoint(0, 0);
    QTest::newRow("too large truncates towards zero") << QSize(3, 5) << QPoint(-1, -2);
}

void tst_app::centreOnScreen()
{
    QFETCH(QSize, larger);
    QFETCH(QPoint, corner);

    cr2200fp_app frame;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size = available.size() + larger;
    QVERIFY2(size.expandedTo(frame.minimumSizeHint()) == size, "screen too small for the row");
    frame.resize(size);
    QCOMPARE(frame.size(), size);

    frame.centreOnScreen();
    QCOMPARE(frame.pos(), corner);
    QCOMPARE(frame.size(), size);
}

void tst_app::constructedFrameIsCentred()
{
    cr2200fp_app frame;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint before = frame.pos();
    QVERIFY(frame.width() < available.width());
    QVERIFY(frame.height() < available.height());
    // Left and right margins differ by at most the odd pixel.
    const int left = before.x();
    const int right = available.width() - frame.width() - left;
    QVERIFY2(left == right || left + 1 == right, qPrintable(QString("%1 %2").arg(left).arg(right)));
    const int top = before.y();
    const int bottom = available.height() - frame.height() - top;
    QVERIFY(top == bottom || top + 1 == bottom);
}

QTEST_MAIN(tst_app)
#include "tst_app.moc"
