// Feeds the setup file reader any text. Every input is either accepted or refused with one
// message that names the file; an accepted setup is written again by the writer, read
// back and written once more, and the two texts must be equal: what a load took, a save
// gives back.
#include "cr2200fp_setupfile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(cr2200fp_setupFile::maxFileSize))
        return 0;
    const QString name = QStringLiteral("fuzz.json");
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    cr2200fp_setup setup;
    QString error;
    if (!cr2200fp_setupFile::parse(text, name, &setup, &error)) {
        if (!error.startsWith(name + QStringLiteral(": ")) || error.size() <= name.size() + 2
            || error.contains(QLatin1Char('\n')))
            std::abort();
        return 0;
    }
    if (!error.isEmpty())
        std::abort();
    const QByteArray written = cr2200fp_setupFile::toJson(setup);
    cr2200fp_setup again;
    if (!cr2200fp_setupFile::parse(written, name, &again, &error))
        std::abort();
    if (again.channels.size() != setup.channels.size())
        std::abort();
    for (const cr2200fp_channelSetup &channel : again.channels) {
        if (channel.keys != cr2200fp_channelSetup::AllKeys)
            std::abort();
    }
    if (cr2200fp_setupFile::toJson(again) != written)
        std::abort();
    return 0;
}
