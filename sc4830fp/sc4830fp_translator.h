#ifndef SC4830FP_TRANSLATOR_H
#define SC4830FP_TRANSLATOR_H

#include <QSet>
#include <QTranslator>

class QLocale;

// The plug-in's own catalogue of its texts and the shared library's, compiled into the
// module (":/sc4830fp/translations/sc4830fp_<language>.qm"). A host that already
// translates one of these classes (its own catalogue answers for that context) keeps its
// texts there: this catalogue then passes that context on to the host's.
//
// Installed by the factory for the application's locale; removed from the application
// when destroyed, before the module that holds its code and data is unloaded.
class sc4830fp_translator : public QTranslator
{
    Q_OBJECT

public:
    explicit sc4830fp_translator(QObject *parent = nullptr);

    // Loads the catalogue for the first of locale's interface languages that has one and
    // notes which contexts the application translates already. False, and nothing loaded,
    // when no catalogue fits or the application translates every context itself.
    bool loadFor(const QLocale &locale);

    QString translate(const char *context, const char *sourceText,
        const char *disambiguation = nullptr, int n = -1) const override;

private:
    QSet<QByteArray> skipped; // the contexts left to the application's own catalogues
};

#endif // SC4830FP_TRANSLATOR_H
