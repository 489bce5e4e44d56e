#ifndef CR2200FP_SETUPFILE_H
#define CR2200FP_SETUPFILE_H

#include "cr2200fp_setupinterface.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The setup file (docs/setup.md): JSON in UTF-8, { "format": "sfp-setup", "version": 2,
// "unit": ..., "channels": [ ... ] }. The reader checks the document's shape and types
// into a cr2200fp_setup; the lists, ranges, combinations and names are the panel's to
// check when it applies the setup. It reads version 1 too, whose channels have no name.
// Every refusal is one line that starts with the file's name, in the application's
// language; the keys and values it quotes from the file stay as written. No widget, no
// state: any thread.
class cr2200fp_setupFile
{
    Q_DECLARE_TR_FUNCTIONS(cr2200fp_setupFile)

public:
    static constexpr int formatVersion = 2; // written; read too
    static constexpr int firstFormatVersion = 1; // read: no channel names
    // Larger files are refused unread: a setup of 16 channels takes about 6 KiB.
    static constexpr qint64 maxFileSize = 1024 * 1024;

    // Reads text into *setup. False with the message in *error (naming fileName, the
    // channel and the key where they apply, line and column where the text is not JSON);
    // *setup is then untouched.
    static bool parse(
        const QByteArray &text, const QString &fileName, cr2200fp_setup *setup, QString *error);
    // Reads the file at path into *setup, as parse() does.
    static bool read(const QString &path, cr2200fp_setup *setup, QString *error);

    // The file's text of setup: every key of every channel given (the name "" when it has
    // none), the information keys beside them.
    static QByteArray toJson(const cr2200fp_setup &setup);
    // Writes setup to path atomically: the old file stays whole until the new one is
    // complete. False with the message in *error.
    static bool write(const QString &path, const cr2200fp_setup &setup, QString *error);

    // "fileName: problem", the shape of every message about a setup file.
    static QString message(const QString &fileName, const QString &problem);
    // text in double quotes as a message quotes a key or a value of the file: quotes,
    // backslashes and control characters escaped as JSON writes them, so that the
    // message stays one line whatever the file holds.
    static QString quoted(const QString &text);
};

#endif // CR2200FP_SETUPFILE_H
