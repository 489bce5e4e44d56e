#include "samewidgets.h"

#include <cr2200fp_led.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template<typename W> W *withHelp(W *widget, const QString &help)
{
    widget->setToolTip(help);
    widget->setWhatsThis(help);
    return widget;
}

QLabel *label(const QString &text)
{
    auto *l = new QLabel(text);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QComboBox *combo(const QStringList &items, const QString &help)
{
    auto *c = withHelp(new QComboBox, help);
    c->addItems(items);
    return c;
}

QDoubleSpinBox *excitation(double minimum, double maximum, const QString &help)
{
    auto *box = withHelp(new QDoubleSpinBox, help);
    box->setDecimals(3);
    box->setRange(minimum, maximum);
    box->setSingleStep(0.001);
    box->setValue(0.0);
    return box;
}

QLineEdit *readout(const QString &text, const QString &help)
{
    auto *edit = withHelp(new QLineEdit(text), help);
    edit->setReadOnly(true);
    return edit;
}

QPushButton *button(const QString &text, const QString &help)
{
    return withHelp(new QPushButton(text), help);
}

cr2200fp_led *lamp(const QString &text, Qt::GlobalColor onColor, const QString &help)
{
    return withHelp(new cr2200fp_led(text, onColor, Qt::magenta), help);
}

QGroupBox *configuration(int n)
{
    auto *box = new QGroupBox(QStringLiteral("Configuration"));
    auto *grid = new QGridLayout(box);
    auto *mode = new QComboBox;
    const char *modes[]
        = { "Full Bridge", "Half Bridge", "Quarter Bridge 120", "Quarter Bridge 350",
              "Quarter Bridge User", "ICP", "Differential Voltage", "Single Ended Voltage" };
    for (int i = 0; i < 8; ++i)
        mode->addItem(QString::fromLatin1(modes[i]), i);
    withHelp(mode, QStringLiteral("Channel %1 mode selection").arg(n));

    grid->addWidget(label(QStringLiteral("Input Source")), 0, 0);
    grid->addWidget(combo({ QStringLiteral("Front Panel"), QStringLiteral("Voltage Ref.") },
                        QStringLiteral("Channel %1 input source ").arg(n)),
        0, 1);
    grid->addWidget(label(QStringLiteral("Mode")), 1, 0);
    grid->addWidget(mode, 1, 1);
    grid->addWidget(label(QStringLiteral("Coupling")), 2, 0);
    grid->addWidget(combo({ QStringLiteral("AC"), QStringLiteral("DC") },
                        QStringLiteral("Channel %1 coupling mode selection").arg(n)),
        2, 1);
    grid->addWidget(label(QStringLiteral("Gain")), 3, 0);
    grid->addWidget(combo({ QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"),
                              QStringLiteral("1000") },
                        QStringLiteral("Channel %1 gain selection").arg(n)),
        3, 1);
    grid->addWidget(label(QStringLiteral("Pos. Exc.")), 4, 0);
    grid->addWidget(
        excitation(0.0, 10.0, QStringLiteral("Channel %1 positive excitation voltage [V]").arg(n)),
        4, 1);
    grid->addWidget(label(QStringLiteral("Volts")), 4, 2);
    grid->addWidget(label(QStringLiteral("Neg. Exc.")), 5, 0);
    grid->addWidget(
        excitation(-10.0, 0.0, QStringLiteral("Channel %1 negative excitation voltage [V]").arg(n)),
        5, 1);
    grid->addWidget(label(QStringLiteral("Volts")), 5, 2);
    grid->addWidget(label(QStringLiteral("Shunt")), 6, 0);
    grid->addWidget(combo({ QStringLiteral("OFF"), QStringLiteral("ON") },
                        QStringLiteral("Channel %1 shunt selection").arg(n)),
        6, 1);
    grid->addWidget(
        button(QStringLiteral("Apply"), QStringLiteral("Sets current channel's configuration")), 7,
        1);
    grid->addWidget(button(QStringLiteral("Apply to all"),
                        QStringLiteral("Sets current channel's configuration to others channels")),
        8, 1);
    return box;
}

QGroupBox *calibration(int n)
{
    auto *box = new QGroupBox(QStringLiteral("Calibration"));
    auto *column = new QVBoxLayout(box);
    column->addWidget(withHelp(new QCheckBox(QStringLiteral("Signal Path")),
        QStringLiteral("Starts channel %1 signal path calibration").arg(n)));
    column->addWidget(withHelp(new QCheckBox(QStringLiteral("Excitation")),
        QStringLiteral("Starts channel %1 excitation calibration").arg(n)));
    column->addWidget(withHelp(new QCheckBox(QStringLiteral("Autobalance")),
        QStringLiteral("Starts channel %1 autobalnce").arg(n)));
    column->addWidget(button(QStringLiteral("Calibrate"),
        QStringLiteral("Starts selected calibrations on channel %1").arg(n)));
    column->addWidget(button(QStringLiteral("Calibrate All"),
        QStringLiteral("Starts selected calibrations on all channels")));
    return box;
}

QGroupBox *excitationReadback(int n)
{
    auto *box = new QGroupBox(QStringLiteral("Excitation"));
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *grid = new QGridLayout(box);
    grid->addWidget(button(QStringLiteral("Read Excitation Voltage"),
                        QStringLiteral("Reads Excitation volatge on channel %1").arg(n)),
        0, 1);
    const char *rows[] = { "Positive", "Negative", "Difference" };
    const char *helps[] = { "Measured positive excitation voltage on channel %1",
        "Measured negative excitation voltage on channel %1",
        "Measured difference excitation voltage on channel %1" };
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(label(QString::fromLatin1(rows[row])), row + 1, 0);
        grid->addWidget(
            readout(QStringLiteral("Not measured"), QString::fromLatin1(helps[row]).arg(n)),
            row + 1, 1);
        grid->addWidget(label(QStringLiteral("Volts")), row + 1, 2);
    }
    return box;
}

QWidget *gainAndImbalance(int n)
{
    auto *container = new QWidget;
    container->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *grid = new QGridLayout(container);
    grid->addWidget(label(QStringLiteral("Total Gain")), 0, 0);
    grid->addWidget(
        readout(QStringLiteral("1"), QStringLiteral("Total path gain on channel %1").arg(n)), 0, 1);
    grid->addWidget(label(QStringLiteral("Imbalance")), 1, 0);
    grid->addWidget(
        readout(QStringLiteral("Not balanced"), QStringLiteral("Channel %1 imbalance").arg(n)), 1,
        1);
    grid->addWidget(label(QStringLiteral("Volts")), 1, 2);
    return container;
}

QGroupBox *status(int n)
{
    auto *box = new QGroupBox(QStringLiteral("Status"));
    auto *column = new QVBoxLayout(box);
    column->addWidget(lamp(QStringLiteral("Excitation Current Limit"), Qt::red,
        QStringLiteral("Channel %1 excitation current limit status").arg(n)));
    column->addWidget(lamp(QStringLiteral("ICP Current"), Qt::green,
        QStringLiteral("Channel %1 ICP current status").arg(n)));
    column->addWidget(excitationReadback(n));
    column->addWidget(gainAndImbalance(n));
    return box;
}

QWidget *identification(int n)
{
    auto *container = new QWidget;
    auto *row = new QHBoxLayout(container);
    auto *identify = button(QStringLiteral("OFF"),
        QStringLiteral("When checked enables channel %1 identification").arg(n));
    identify->setCheckable(true);
    row->addStretch();
    row->addWidget(lamp(QStringLiteral("Identification"), Qt::green,
        QStringLiteral("Indicates channel %1 identification").arg(n)));
    row->addWidget(identify);
    row->addStretch();
    return container;
}

} // namespace

QWidget *buildSameWidgetsPage(int n, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *groups = new QHBoxLayout;
    groups->addStretch();
    groups->addWidget(configuration(n));
    groups->addWidget(calibration(n));
    groups->addWidget(status(n));
    groups->addStretch();
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(groups);
    layout->addWidget(identification(n));
    return page;
}

QWidget *buildSameWidgets(int pages)
{
    auto *window = new QWidget;
    window->setWindowTitle(QStringLiteral("Orbisa 4830 SCU"));
    auto *tabs = new QTabWidget(window);
    tabs->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int i = 0; i < pages; ++i)
        tabs->addTab(buildSameWidgetsPage(i + 1, window), QStringLiteral("Ch %1").arg(i + 1));

    auto *monitorLabel = new QLabel(QStringLiteral("Voltage Reference Monitor"));
    monitorLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *monitor = new QPushButton(QStringLiteral("OFF"));
    monitor->setCheckable(true);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(monitorLabel);
    row->addWidget(monitor);
    row->addStretch();

    auto *layout = new QVBoxLayout(window);
    layout->addWidget(tabs);
    layout->addLayout(row);
    layout->addStretch();
    return window;
}
