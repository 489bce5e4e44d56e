#ifndef SFP_HOSTLOG_H
#define SFP_HOSTLOG_H

#include <QListWidget>

// The host's log under the panel: every step of the start and every signal the panel
// emits, one line each, shown in the list and echoed on standard output at once (so a
// process that watches sfp-host sees each line as it happens). Keeps the newest
// maxLines lines, and shows the newest unless the operator has scrolled up to read.
// GUI thread only.
class HostLog : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int maxLines = 2000;

    explicit HostLog(QWidget *parent = nullptr);

    // Appends line to the list and to standard output.
    void report(const QString &line);

    // Writes line to standard output alone, flushed.
    static void print(const QString &line);
};

#endif // SFP_HOSTLOG_H
