#include "cr2200fp_app.h"

#include "cr2200fp_app_pixmaps.h"
#include "cr2200fp_led.h"
#include "cr2200fp_messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

// Shown while the continuous acquisition is not running.
QString contStartHelp()
{
    return cr2200fp_app::tr("<html>Starts the repetitive data acquisition (or continuous data "
                            "acquisition, when file storage option is turned on)</html>");
}

} // namespace

QString cr2200fp_app::panelStyleName()
{
#if QT_VERSION_MAJOR >= 6
    // Qt 6 has no Plastique (Debian ships that style plug-in for Qt 5 only); Fusion is its
    // nearest living relative.
    return QStringLiteral("Fusion");
#else
    return QStringLiteral("Plastique");
#endif
}

cr2200fp_app::cr2200fp_app()
    : QWidget(nullptr, Qt::WindowFlags())
{
    // Plastique is what operators know these panels by. Without the style plug-in the
    // application keeps its style rather than being handed a null one.
    if (QStyle *style = QStyleFactory::create(panelStyleName()))
        QApplication::setStyle(style);
    layoutReady = false;
    pbAbout = nullptr;

    const int h = QFontMetrics(font()).height();
    auto *mainLayout = new QVBoxLayout;
    mainLayout->setSpacing(h);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    auto *banner = new QHBoxLayout;
    banner->setSpacing(0);
    auto *middle = new QHBoxLayout;
    middle->setSpacing(h);
    middle->setContentsMargins(h >> 1, 0, 0, h >> 1);
    buttonColumn = new QVBoxLayout;
    buttonColumn->setSpacing(h >> 1);
    buttonColumn->setContentsMargins(0, 0, h >> 1, h >> 1);

    mainLayout->addLayout(banner);
    mainLayout->addLayout(middle);
    contentWidget = new QWidget;
    middle->addWidget(contentWidget);
    middle->addLayout(buttonColumn);
    setContentLayout(mainLayout);

    setWindowIcon(QIcon(QPixmap(cr2200fp_pixmaps::windowIcon)));
    buildBanner(banner);
    buildButtonColumn(h);

    layoutReady = true;
    mainLayout->setSizeConstraint(QLayout::SetMinimumSize);
    centreOnScreen();
}

cr2200fp_app::~cr2200fp_app() = default;

void cr2200fp_app::buildBanner(QLayout *banner)
{
    auto *makerLogo = new QLabel;
    makerLogo->setPixmap(QPixmap(QStringLiteral(":/tormel-logo.bmp")));
    banner->addWidget(makerLogo);

    lblTitle = new QLabel;
    lblTitle->setStyleSheet(
        QStringLiteral("QLabel { background-color: #1a2c5e; color: #ffffff; font: bold 20px}"));
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    banner->addWidget(lblTitle);

    lblRightLogo = new QLabel;
    lblRightLogo->setPixmap(QPixmap(QStringLiteral(":/vxi-logo.bmp")));
    banner->addWidget(lblRightLogo);
}

void cr2200fp_app::buildButtonColumn(int h)
{
    addActivityGroup(h);
    buttonColumn->addStretch();
    addAutoscale();
    buttonColumn->addStretch();
    addIdent();
    buttonColumn->addStretch();
    addAcquisition();
    buttonColumn->addStretch();
    addReset();
    buttonColumn->addStretch();
    addHelpAboutClose();
}

void cr2200fp_app::addActivityGroup(int h)
{
    auto *group = new QGroupBox;
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->setSpacing(h);

    // Qt::magenta asks the lamp for the palette's window colour as its off colour.
    ledActive = new cr2200fp_led(tr("Active"), Qt::green, Qt::magenta, group);
    ledActive->setWhatsThis(
        tr("Green light means that the Soft Front Panel works\nin Real (not Demo) mode."));
    ledActive->setColorDescription(Qt::green, tr("Working with a real unit"));
    ledActive->setColorDescription(
        ledActive->getOffColor(), tr("Demonstration: no unit is attached"));
    groupLayout->addWidget(ledActive);

    lblStatusA = new QLabel(group);
    lblStatusA->hide();
    groupLayout->addWidget(lblStatusA);
    lblStatusB = new QLabel(group);
    lblStatusB->hide();
    groupLayout->addWidget(lblStatusB);

    buttonColumn->addWidget(group);
}

void cr2200fp_app::addAutoscale()
{
    lblAutoscale = new QLabel(tr("Autoscale"));
    lblAutoscale->setAlignment(Qt::AlignCenter);
    pbAutoscale = new QPushButton(tr("ON"));
    pbAutoscale->setCheckable(true);
    pbAutoscale->setChecked(true);
    setHelp(pbAutoscale, tr("Enables/disables plot autorescale feature"));
    // The switch reads only "ON" or "OFF"; its caption names it for a screen reader.
    lblAutoscale->setBuddy(pbAutoscale);
    pbAutoscale->setAccessibleName(tr("Autoscale"));
    connect(pbAutoscale, &QPushButton::toggled, this, &cr2200fp_app::autoscaleToggledSlot);

    buttonColumn->addWidget(lblAutoscale);
    buttonColumn->addWidget(pbAutoscale);
    lblAutoscale->hide();
    pbAutoscale->hide();
}

void cr2200fp_app::addIdent()
{
    lblIdent = new QLabel(tr("Identify"));
    lblIdent->setAlignment(Qt::AlignCenter);
    pbIdent = new QPushButton(tr("OFF"));
    pbIdent->setCheckable(true);
    pbIdent->setChecked(false);
    setHelp(pbIdent, tr("Enables/disables visual identification mechanism"));
    lblIdent->setBuddy(pbIdent);
    pbIdent->setAccessibleName(tr("Identify"));
    connect(pbIdent, &QPushButton::toggled, this, &cr2200fp_app::identToggledSlot);

    buttonColumn->addWidget(lblIdent);
    buttonColumn->addWidget(pbIdent);
    lblIdent->hide();
    pbIdent->hide();
}

void cr2200fp_app::addAcquisition()
{
    pbSingle = new QPushButton;
    pbSingle->setCheckable(true);
    pbSingle->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::singleStartIcon)));
    setHelp(pbSingle, tr("Starts the single-shot data acquisition"));
    // Icons only: a screen reader hears these names, the checked state (running or not)
    // and the help of the moment as the description.
    pbSingle->setAccessibleName(tr("Single-shot acquisition"));
    connect(pbSingle, &QPushButton::toggled, this, &cr2200fp_app::startToggledSlot);

    pbCont = new QPushButton;
    pbCont->setCheckable(true);
    pbCont->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::contStartIcon)));
    setHelp(pbCont, contStartHelp());
    pbCont->setAccessibleName(tr("Continuous acquisition"));
    connect(pbCont, &QPushButton::toggled, this, &cr2200fp_app::startContToggledSlot);

    buttonColumn->addWidget(pbSingle);
    buttonColumn->addWidget(pbCont);
    pbSingle->hide();
    pbCont->hide();
}

void cr2200fp_app::addReset()
{
    pbReset = new QPushButton(tr("Reset Device"));
    setHelp(pbReset, tr("Reset the device to the default state"));
    connect(pbReset, &QPushButton::clicked, this, &cr2200fp_app::resetPressed);
    buttonColumn->addWidget(pbReset);
}

void cr2200fp_app::addHelpAboutClose()
{
    const QPixmap help(cr2200fp_pixmaps::helpIcon);
    pbWhatsThis = new QPushButton;
    pbWhatsThis->setIcon(QIcon(help));
    pbWhatsThis->setIconSize(help.size());
    pbWhatsThis->setAccessibleName(tr("What's This?"));
    pbWhatsThis->setWhatsThis(tr("Show on-line help for Instrument Soft Front Panel components"));
    connect(pbWhatsThis, &QPushButton::clicked, this, &cr2200fp_app::enterWIT);
    buttonColumn->addWidget(pbWhatsThis);

    // The instrument's code connects About to its own panel.
    pbAbout = new QPushButton(tr("About"));
    pbAbout->setWhatsThis(tr("Displays \"About\" panel"));
    buttonColumn->addWidget(pbAbout);

    pbClose = new QPushButton(tr("Close"));
    pbClose->setWhatsThis(tr("Close main panel and terminates program"));
    connect(pbClose, &QPushButton::clicked, this, &QWidget::close);
    buttonColumn->addWidget(pbClose);
}

void cr2200fp_app::setHelp(QWidget *widget, const QString &text)
{
    widget->setWhatsThis(text);
    widget->setToolTip(text);
}

void cr2200fp_app::setContentLayout(QLayout *layout)
{
    if (layoutReady)
        contentWidget->setLayout(layout);
    else
        setLayout(layout);
}

void cr2200fp_app::setTitle(const QString &title)
{
    lblTitle->setText(title);
}

void cr2200fp_app::setDemo(bool demo)
{
    ledActive->setValue(demo ? 0 : 1);
}

void cr2200fp_app::setLxiLogo(bool lxi)
{
    if (lxi)
        lblRightLogo->setPixmap(QPixmap(QStringLiteral(":/lxi-logo.bmp")));
}

void cr2200fp_app::clearRightLogo()
{
    lblRightLogo->setPixmap(QPixmap());
}

void cr2200fp_app::setStatus(QLabel *label, const QString &text, const QString &help)
{
    label->setText(text);
    label->setVisible(!text.isEmpty());
    if (!help.isEmpty())
        label->setWhatsThis(help);
}

void cr2200fp_app::setStatusA(const QString &text, const QString &help)
{
    setStatus(lblStatusA, text, help);
}

void cr2200fp_app::setStatusB(const QString &text, const QString &help)
{
    setStatus(lblStatusB, text, help);
}

void cr2200fp_app::showAutoscale(bool show)
{
    lblAutoscale->setVisible(show);
    pbAutoscale->setVisible(show);
    if (show)
        resize(800, 600);
}

void cr2200fp_app::showIdent(bool show)
{
    lblIdent->setVisible(show);
    pbIdent->setVisible(show);
}

void cr2200fp_app::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return; // no screen attached: nowhere to centre on
    const QRect available = screen->availableGeometry();
    const QRect own = geometry();
    const int left = (available.right() - available.left() - (own.right() - own.left())) / 2;
    const int top = (available.bottom() - available.top() - (own.bottom() - own.top())) / 2;
    move(left, top);
}

void cr2200fp_app::enterWIT()
{
    QWhatsThis::enterWhatsThisMode();
}

void cr2200fp_app::userBreak()
{
    // Each toggle runs the button's slot, which reports the stop.
    if (pbCont->isChecked())
        pbCont->toggle();
    if (pbSingle->isChecked())
        pbSingle->toggle();
    enableStart();
}

void cr2200fp_app::enableStart()
{
    pbSingle->setEnabled(true);
    pbCont->setEnabled(true);
}

void cr2200fp_app::autoscaleToggledSlot(bool status)
{
    pbAutoscale->setText(status ? tr("ON") : tr("OFF"));
    emit autoscaleToggled(status);
}

void cr2200fp_app::identToggledSlot(bool status)
{
    pbIdent->setText(status ? tr("ON") : tr("OFF"));
    emit identToggled(status);
}

void cr2200fp_app::startToggledSlot(bool status)
{
    if (status) {
        pbSingle->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::stopIcon)));
        setHelp(pbSingle, tr("Breaks the Single-Shot Data Acquisition"));
        pbCont->setEnabled(false);
        emit startSingle();
    } else {
        pbSingle->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::singleStartIcon)));
        setHelp(pbSingle, tr("Starts the Single-Shot Data Acquisition"));
        // Both stay off until the instrument has stopped and calls enableStart().
        pbSingle->setEnabled(false);
        pbCont->setEnabled(false);
        emit breakSingle();
    }
}

void cr2200fp_app::startContToggledSlot(bool status)
{
    if (status) {
        pbCont->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::stopIcon)));
        setHelp(pbCont, tr("Stops the Data Acquisition process"));
        pbSingle->setEnabled(false);
        emit startCont();
    } else {
        pbCont->setIcon(QIcon(QPixmap(cr2200fp_pixmaps::contStartIcon)));
        setHelp(pbCont, contStartHelp());
        pbSingle->setEnabled(false);
        pbCont->setEnabled(false);
        emit stopCont();
    }
}

void cr2200fp_app::closeEvent(QCloseEvent *event)
{
    const QMessageBox::StandardButton answer = QMessageBox::question(QApplication::activeWindow(),
        tr("Orbisa ") + sfpModelName + tr(" SFP"), tr("Do you really want to exit?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        event->accept();
    else
        event->ignore();
}
