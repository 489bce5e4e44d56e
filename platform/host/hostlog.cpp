#include "hostlog.h"

#include "scrollfollower.h"

#include <cstdio>

HostLog::HostLog(QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("hostLog"));
    // A list view takes no name from a caption's buddy.
    setAccessibleName(tr("Host log"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setUniformItemSizes(true);
    setToolTip(tr("What the host did and every signal the panel emitted"));
    new ScrollFollower(this);
}

void HostLog::report(const QString &line)
{
    print(line);
    addItem(line);
    while (count() > maxLines)
        delete takeItem(0);
}

void HostLog::print(const QString &line)
{
    const QByteArray text = line.toLocal8Bit() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}
