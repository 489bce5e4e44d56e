#ifndef CR2200FP_LED_H
#define CR2200FP_LED_H

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>

// A round status lamp with a caption to its right, drawn with QPainter.
//
// value 0 shows the off colour, any other value the on colour; value 2 shows the third
// colour once setThirdColor() has been called. Every change that alters the picture is
// painted at once (QWidget::repaint), so a lamp switched from a slow loop is still seen.
// The lamp's accessible name is its caption and its accessible description tells in words
// what the colour shown now means: the words given for that colour by setColorDescription(),
// else the generic state ("off", "on", "third colour"). Both follow every change of caption,
// value and colour; assistive technology hears of a change only when a text really changes.
// GUI thread only.
class cr2200fp_led : public QWidget
{
    Q_OBJECT

public:
    // An offColor of exactly Qt::magenta stands for "the palette's window colour", taken
    // once at construction.
    cr2200fp_led(const QString &text, const QColor &onColor, const QColor &offColor,
        QWidget *parent = nullptr);
    // On colour by name (QColor::setNamedColor); a null name gives "#FF0000". The off
    // colour is the palette's window colour.
    cr2200fp_led(const QString &text, const char *onColorName, QWidget *parent = nullptr);
    ~cr2200fp_led() override;

    QSize minimumSizeHint() const override;

    int getValue() const { return value; }
    QColor getOnColor() const { return onColor; }
    QColor getOffColor() const { return offColor; }
    QColor getThirdColor() const { return thirdColor; }
    QString getText() const { return text; }
    bool hasThirdColor() const { return thirdColorSet; }

    void setValue(int newValue);
    void setOnColor(const QColor &color);
    void setOffColor(const QColor &color);
    void setThirdColor(const QColor &color);
    void setText(const QString &newText);
    // Words a screen reader gives while the lamp shows this colour (compared by its RGBA
    // value), e.g. "ICP current fault" for red. An empty text takes them back.
    void setColorDescription(const QColor &color, const QString &description);

signals:
    // Fires after toggleValue() has changed and repainted the lamp.
    void valueToggled();

public slots:
    // 0 becomes 1, every other value 0.
    void toggleValue();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The colour the lamp shows for the current value.
    QColor lampColor() const;
    // The words for the colour shown now, else "off", "on" or "third colour".
    QString stateDescription() const;
    // Keeps accessible name and description in step with caption, value and colours.
    void updateAccessibility();

    int value;
    QColor onColor;
    QColor offColor;
    QColor thirdColor;
    QString text;
    bool thirdColorSet;
    QHash<QRgb, QString> colorDescriptions;
};

#endif // CR2200FP_LED_H
