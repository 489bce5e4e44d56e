#include "cr2200fp_led.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPointF>
#include <QRectF>

namespace {

// Full circle in QPainter's sixteenths of a degree.
constexpr int fullCircle = 16 * 360;
// Below this font height the bevel would leave no room for the lamp itself.
constexpr int smallestBevelledHeight = 10;

} // namespace

cr2200fp_led::cr2200fp_led(
    const QString &text, const QColor &onColor, const QColor &offColor, QWidget *parent)
    : QWidget(parent)
    , value(0)
    , onColor(onColor)
    , offColor(offColor)
    , thirdColor(Qt::black)
    , text(text)
    , thirdColorSet(false)
{
    // Magenta is the callers' way of asking for an unlit lamp that blends into the window;
    // the colour is taken now and kept, whatever happens to the palette later.
    if (this->offColor == QColor(Qt::magenta))
        this->offColor = palette().color(QPalette::Window);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    updateAccessibility();
}

cr2200fp_led::cr2200fp_led(const QString &text, const char *onColorName, QWidget *parent)
    : QWidget(parent)
    , value(0)
    , thirdColor(Qt::black)
    , text(text)
    , thirdColorSet(false)
{
    onColor.setNamedColor(QLatin1String(onColorName ? onColorName : "#FF0000"));
    offColor = palette().color(QPalette::Window);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    updateAccessibility();
}

cr2200fp_led::~cr2200fp_led() = default;

QSize cr2200fp_led::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    const int h = metrics.height();
    const int w = metrics.horizontalAdvance(text);
    return QSize(h + w + ((h + 1) >> 1) + 1, h + 2);
}

void cr2200fp_led::setValue(int newValue)
{
    if (newValue == value)
        return;
    value = newValue;
    updateAccessibility();
    repaint();
}

void cr2200fp_led::setOnColor(const QColor &color)
{
    onColor = color;
    updateAccessibility();
    repaint();
}

void cr2200fp_led::setOffColor(const QColor &color)
{
    offColor = color;
    updateAccessibility();
    repaint();
}

void cr2200fp_led::setThirdColor(const QColor &color)
{
    thirdColor = color;
    thirdColorSet = true;
    updateAccessibility();
    repaint();
}

void cr2200fp_led::setText(const QString &newText)
{
    if (newText == text)
        return;
    text = newText;
    updateAccessibility();
    repaint();
}

void cr2200fp_led::setColorDescription(const QColor &color, const QString &description)
{
    if (description.isEmpty())
        colorDescriptions.remove(color.rgba());
    else
        colorDescriptions.insert(color.rgba(), description);
    updateAccessibility();
}

void cr2200fp_led::toggleValue()
{
    value = value == 0 ? 1 : 0;
    updateAccessibility();
    repaint();
    emit valueToggled();
}

QColor cr2200fp_led::lampColor() const
{
    if (value == 0)
        return offColor;
    if (value == 2 && thirdColorSet)
        return thirdColor;
    return onColor;
}

QString cr2200fp_led::stateDescription() const
{
    const auto words = colorDescriptions.constFind(lampColor().rgba());
    if (words != colorDescriptions.constEnd())
        return *words;
    if (value == 0)
        return tr("off");
    if (value == 2 && thirdColorSet)
        return tr("third colour");
    return tr("on");
}

void cr2200fp_led::updateAccessibility()
{
    // Qt announces every set to assistive technology, changed or not, and the status poll
    // sets the colours of every lamp each time it reads the unit.
    if (accessibleName() != text)
        setAccessibleName(text);
    const QString description = stateDescription();
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void cr2200fp_led::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    const QPen textPen = painter.pen();
    const QColor background = painter.background().color();
    const QColor light = background.lighter(150);
    const QColor dark = background.darker(200);
    const QColor lamp = lampColor();

    // A subclass may ask for more room than the caption needs; the lamp centres the
    // difference. The shift floors, so a widget narrower than its hint pulls the lamp left.
    const int m = minimumSizeHint().width();
    const int h = QFontMetrics(font()).height();
    const int x0 = ((width() - m) >> 1) + 2;

    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawText(QPointF(x0 + h + (h >> 1), h - 1), text);

    if (h < smallestBevelledHeight) {
        painter.setBrush(QBrush(lamp, Qt::SolidPattern));
        painter.drawChord(QRectF(x0, 0, h, h), 0, fullCircle);
        return;
    }

    // Light upper-left rim, dark lower-right rim, a ring of background between them and
    // the lit disc inside: a lamp set into the panel.
    const QRectF outer(x0, 0, h, h);
    const QRectF inner(x0 + 2, 2, h - 4, h - 4);
    painter.setPen(light);
    painter.drawArc(outer, 16 * 45, 16 * 180);
    painter.drawArc(inner, 16 * 45, 16 * 180);
    painter.setPen(dark);
    painter.drawArc(outer, 16 * 225, 16 * 180);
    painter.drawArc(inner, 16 * 225, 16 * 180);
    painter.setPen(background);
    painter.drawArc(QRectF(x0 + 1, 1, h - 2, h - 2), 0, fullCircle);
    painter.setPen(lamp);
    painter.setBrush(QBrush(lamp, Qt::SolidPattern));
    painter.drawChord(QRectF(x0 + 3, 3, h - 6, h - 6), 0, fullCircle);
}
