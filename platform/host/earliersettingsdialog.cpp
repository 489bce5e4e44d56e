#include "earliersettingsdialog.h"

#include "hostsetups.h"
#include "setupcomparison.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

EarlierSettingsDialog::EarlierSettingsDialog(
    const QVector<cr2200fp_setup> &earlier, const cr2200fp_setup &now, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Earlier settings"));
    list = new QListWidget;
    list->setAccessibleName(tr("Earlier settings"));
    for (const cr2200fp_setup &entry : earlier) {
        const QList<int> differing = differingChannels(entry, now);
        list->addItem(differing.isEmpty()
                ? tr("Before the apply at %1: the same as now").arg(when(entry))
                : tr("Before the apply at %1: channel %2 differ from now")
                      .arg(when(entry), HostSetups::channelList(differing)));
    }
    list->setCurrentRow(0);
    // Every entry whole, as far as the screen allows.
    list->setMinimumWidth(qMin(list->sizeHintForColumn(0) + 2 * list->frameWidth()
            + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
        800));
    auto *caption = new QLabel(
        tr("What the unit held before each of the last applies, newest first. The one chosen "
           "is set for review; nothing is sent before \"Apply changed\"."));
    caption->setWordWrap(true);
    caption->setBuddy(list);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    QPushButton *review = buttons->addButton(tr("Review"), QDialogButtonBox::AcceptRole);
    review->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemActivated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(list);
    layout->addWidget(buttons);
}

int EarlierSettingsDialog::chosen() const
{
    return list->currentRow();
}

QString EarlierSettingsDialog::when(const cr2200fp_setup &earlier)
{
    const QString iso = earlier.information.value(QLatin1String("replacedAt")).toString();
    const QDateTime time = QDateTime::fromString(iso, Qt::ISODateWithMs);
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                          : iso;
}

QList<int> EarlierSettingsDialog::differingChannels(
    const cr2200fp_setup &earlier, const cr2200fp_setup &now)
{
    QList<int> channels;
    for (const SetupComparison::Difference &difference :
        SetupComparison::differences(earlier, now)) {
        if (!channels.contains(difference.channel))
            channels.append(difference.channel);
    }
    return channels;
}
