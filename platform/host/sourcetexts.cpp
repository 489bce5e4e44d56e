#include "sourcetexts.h"

#include <QCoreApplication>

SourceTexts::SourceTexts()
{
    // Installed last, asked first. Being empty as a catalogue, it sends no LanguageChange
    // on its way in; the one its removal posts finds the operator's catalogues again.
    QCoreApplication::installTranslator(this);
}

SourceTexts::~SourceTexts()
{
    QCoreApplication::removeTranslator(this);
}

QString SourceTexts::translate(const char *, const char *sourceText, const char *, int) const
{
    return QString::fromUtf8(sourceText);
}
