#ifndef SFP_HOSTLANGUAGE_H
#define SFP_HOSTLANGUAGE_H

#include <QTranslator>

class QLocale;

// The host's words in the operator's language: its own catalogue, compiled into the
// program (":/sfp-host/translations/sfp-host_<language>.qm"), and Qt's catalogue of its
// dialogs and buttons (qtbase_<language>.qm) from Qt's translations folder when the
// system has it. Both are installed for the first of the locale's interface languages
// that has one, for as long as this object lives. The panel brings its own catalogue.
// GUI thread only, after the application object is made.
class HostLanguage
{
public:
    explicit HostLanguage(const QLocale &locale);
    ~HostLanguage();

    HostLanguage(const HostLanguage &) = delete;
    HostLanguage &operator=(const HostLanguage &) = delete;

    // Whether each catalogue was found and installed.
    bool hostTranslated() const { return hostInstalled; }
    bool qtTranslated() const { return qtInstalled; }

    // Qt's translations folder, where qtbase_<language>.qm lies.
    static QString qtTranslationsPath();

private:
    QTranslator host;
    QTranslator qt;
    bool hostInstalled = false;
    bool qtInstalled = false;
};

#endif // SFP_HOSTLANGUAGE_H
