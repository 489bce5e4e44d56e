#ifndef SFP_SOURCETEXTS_H
#define SFP_SOURCETEXTS_H

#include <QTranslator>

// While one lives, every translatable text of the application (the host's, the panel's,
// Qt's) reads as written in the source, in English: for the lines on standard output and
// standard error, which scripts read whatever the operator's language. Made on the stack
// around the code that words such a line; nothing that runs an event loop belongs in
// that scope, or its boxes would show English too. GUI thread only.
class SourceTexts : public QTranslator
{
    Q_OBJECT

public:
    SourceTexts();
    ~SourceTexts() override;

    QString translate(const char *context, const char *sourceText,
        const char *disambiguation = nullptr, int n = -1) const override;
};

#endif // SFP_SOURCETEXTS_H
