#include "cr2200fp_led.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

// Colours chosen so that every drawn pixel can be told apart: the lamp colours are never
// grey, the rims are grey, lighter or darker than the background in every channel.
const QColor background(100, 100, 100);
const QColor onColour(0, 200, 0);
const QColor offColour(200, 0, 0);
const QColor thirdColour(230, 160, 0);

// Counts the paint events a widget receives, as they arrive.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Shows the lamp at its minimum size and lets it settle on screen, so that the counter
// counts only the paints that follow; false if it never showed.
bool showSettled(cr2200fp_led &led, PaintCounter &counter)
{
    led.resize(led.minimumSizeHint());
    led.show();
    if (!QTest::qWaitForWindowExposed(&led))
        return false;
    QCoreApplication::processEvents();
    counter.count = 0;
    return true;
}

// A lamp that asks for more room than its caption needs, as a subclass laying out extra
// decoration would.
class WideLed : public cr2200fp_led
{
public:
    using cr2200fp_led::cr2200fp_led;
    static constexpr int extra = 40;
    QSize minimumSizeHint() const override
    {
        return cr2200fp_led::minimumSizeHint() + QSize(extra, 0);
    }
};

// The first pixel size at which the font's line height is exactly the one asked for.
std::optional<QFont> fontOfHeight(int height, const QFont &base = QFont())
{
    for (int pixels = 4; pixels <= 60; ++pixels) {
        QFont font(base);
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() == height)
            return font;
    }
    return std::nullopt;
}

// A font with line height 12 and a caption exactly 50 pixels wide in it, if this
// machine's fonts allow one.
std::optional<QPair<QFont, QString>> font12Text50()
{
    const QFont bases[] = { QFontDatabase::systemFont(QFontDatabase::FixedFont), QFont() };
    for (const QFont &base : bases) {
        const std::optional<QFont> font = fontOfHeight(12, base);
        if (!font)
            continue;
        const QFontMetrics metrics(*font);
        for (const QChar c : QStringLiteral("0xmi. ")) {
            for (int n = 1; n <= 60; ++n) {
                const QString text(n, c);
                if (metrics.horizontalAdvance(text) == 50)
                    return qMakePair(*font, text);
            }
        }
    }
    return std::nullopt;
}

// Background known, text black, size as asked (the minimum size hint by default).
void prepare(cr2200fp_led &led, const QFont &font, int widthDelta = 0)
{
    QPalette palette = led.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::black);
    led.setPalette(palette);
    led.setFont(font);
    const QSize hint = led.minimumSizeHint();
    led.resize(hint.width() + widthDelta, hint.height());
}

QImage renderOf(cr2200fp_led &led)
{
    QImage image(led.size(), QImage::Format_RGB32);
    image.fill(background);
    led.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The leftmost column holding a pixel of exactly this colour, -1 if there is none.
int firstColumnOf(const QImage &image, const QColor &colour)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == colour.rgb())
                return x;
    return -1;
}

// Antialiasing leaves the rim of a small disc a shade off its colour.
bool nearly(QRgb pixel, const QColor &colour)
{
    const int tolerance = 8;
    return qAbs(qRed(pixel) - colour.red()) <= tolerance
        && qAbs(qGreen(pixel) - colour.green()) <= tolerance
        && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// The longest horizontal run of (nearly) this colour within columns [from, to).
int longestRunOf(const QImage &image, const QColor &colour, int from, int to)
{
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = qMax(0, from); x < qMin(to, image.width()); ++x) {
            run = nearly(image.pixel(x, y), colour) ? run + 1 : 0;
            longest = qMax(longest, run);
        }
    }
    return longest;
}

bool lighterThanBackground(QRgb pixel)
{
    return qRed(pixel) > background.red() && qGreen(pixel) > background.green()
        && qBlue(pixel) > background.blue();
}

bool darkerThanBackground(QRgb pixel)
{
    return qRed(pixel) < background.red() && qGreen(pixel) < background.green()
        && qBlue(pixel) < background.blue();
}

// How many pixels of the rectangle satisfy the test.
int countIn(const QImage &image, const QRect &rect, bool (*test)(QRgb))
{
    int n = 0;
    const QRect clipped = rect & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// What every constructor leaves besides the colours: dark, captioned, no third colour,
// as small as its caption allows.
void verifyFresh(const cr2200fp_led &led, const QString &text)
{
    QCOMPARE(led.getValue(), 0);
    QCOMPARE(led.getText(), text);
    QCOMPARE(led.getThirdColor(), QColor(Qt::black));
    QVERIFY(!led.hasThirdColor());
    QCOMPARE(led.sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(led.sizePolicy().verticalPolicy(), QSizePolicy::Maximum);
}

using LedAction = std::function<void(cr2200fp_led &)>;

} // namespace

Q_DECLARE_METATYPE(LedAction)

class tst_Led : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void colourConstructor();
    void constructorByName_data();
    void constructorByName();

    void settersRepaintAtOnce_data();
    void settersRepaintAtOnce();
    void toggleValue_data();
    void toggleValue();

    void lampColourAndDescription_data();
    void lampColourAndDescription();

    void minimumSizeHintFollowsFontAndText_data();
    void minimumSizeHintFollowsFontAndText();
    void minimumSizeHintForHeight12Width50();

    void lampPosition_data();
    void lampPosition();
    void lampPositionUsesOverriddenHint();
    void smallOrBevelledByFontHeight_data();
    void smallOrBevelledByFontHeight();
    void bevelIsLitFromUpperLeft();
    void captionSitsRightOfLampOnBaseline();

    void accessibleTextsFollowChanges();
    void colourWords_data();
    void colourWords();
};

void tst_Led::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Led::colourConstructor()
{
    // A colour one step away from magenta is an ordinary colour and is kept.
    const QColor nearlyMagenta(255, 0, 254);
    cr2200fp_led led(QStringLiteral("ICP Current"), onColour, nearlyMagenta);
    verifyFresh(led, QStringLiteral("ICP Current"));
    QCOMPARE(led.getOnColor(), onColour);
    QCOMPARE(led.getOffColor(), nearlyMagenta);

    // Magenta itself stands for the window colour of the parent.
    const QColor windowColour(10, 120, 200);
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, windowColour);
    parent.setPalette(palette);
    auto *child = new cr2200fp_led(
        QStringLiteral("Identification"), onColour, QColor(Qt::magenta), &parent);
    QCOMPARE(child->getOffColor(), windowColour);

    // The colour was taken once: a later palette neither changes it nor what is drawn.
    palette.setColor(QPalette::Window, background);
    child->setPalette(palette);
    QCOMPARE(child->getOffColor(), windowColour);
    QFont font;
    font.setPixelSize(20);
    prepare(*child, font);
    const int h = QFontMetrics(child->font()).height();
    QCOMPARE(QColor(renderOf(*child).pixel(2 + h / 2, h / 2)), windowColour);

    // Without a parent the application's palette gives the colour.
    cr2200fp_led orphan(QString(), onColour, QColor(Qt::magenta));
    QCOMPARE(orphan.getOffColor(), QApplication::palette().color(QPalette::Window));
}

void tst_Led::constructorByName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("null name gives red") << QByteArray() << true << QColor(255, 0, 0);
    QTest::newRow("SVG name") << QByteArray("green") << false << QColor(0, 128, 0);
    QTest::newRow("hex name") << QByteArray("#00ff80") << false << QColor(0, 255, 128);
}

void tst_Led::constructorByName()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, isNull);
    QFETCH(QColor, expected);

    const QColor windowColour(40, 50, 60);
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, windowColour);
    parent.setPalette(palette);

    auto *led
        = new cr2200fp_led(QStringLiteral("Lamp"), isNull ? nullptr : name.constData(), &parent);
    verifyFresh(*led, QStringLiteral("Lamp"));
    QCOMPARE(led->getOnColor(), expected);
    QCOMPARE(led->getOffColor(), windowColour);
}

void tst_Led::settersRepaintAtOnce_data()
{
    QTest::addColumn<LedAction>("action");
    QTest::addColumn<int>("paints");

    QTest::newRow("new value") << LedAction([](cr2200fp_led &l) { l.setValue(1); }) << 1;
    QTest::newRow("value 2 without third colour")
        << LedAction([](cr2200fp_led &l) { l.setValue(2); }) << 1;
    QTest::newRow("same value") << LedAction([](cr2200fp_led &l) { l.setValue(0); }) << 0;
    QTest::newRow("same on colour")
        << LedAction([](cr2200fp_led &l) { l.setOnColor(l.getOnColor()); }) << 1;
    QTest::newRow("same off colour")
        << LedAction([](cr2200fp_led &l) { l.setOffColor(l.getOffColor()); }) << 1;
    QTest::newRow("new off colour")
        << LedAction([](cr2200fp_led &l) { l.setOffColor(Qt::blue); }) << 1;
    QTest::newRow("third colour, same as the default")
        << LedAction([](cr2200fp_led &l) { l.setThirdColor(Qt::black); }) << 1;
    QTest::newRow("new text") << LedAction([](cr2200fp_led &l) {
        l.setText(QStringLiteral("Other"));
    }) << 1;
    QTest::newRow("same text") << LedAction([](cr2200fp_led &l) {
        l.setText(QStringLiteral("Caption"));
    }) << 0;
    QTest::newRow("toggle") << LedAction([](cr2200fp_led &l) { l.toggleValue(); }) << 1;
}

void tst_Led::settersRepaintAtOnce()
{
    QFETCH(LedAction, action);
    QFETCH(int, paints);

    cr2200fp_led led(QStringLiteral("Caption"), onColour, offColour);
    PaintCounter counter(&led);
    QVERIFY(showSettled(led, counter));

    // No event processing in between: only a synchronous repaint is counted here.
    action(led);
    QCOMPARE(counter.count, paints);
}

void tst_Led::toggleValue_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("off turns on") << 0 << 1;
    QTest::newRow("on turns off") << 1 << 0;
    QTest::newRow("third-colour value turns off") << 2 << 0;
    QTest::newRow("negative value turns off") << -1 << 0;
}

void tst_Led::toggleValue()
{
    QFETCH(int, before);
    QFETCH(int, after);

    cr2200fp_led led(QStringLiteral("Identification"), onColour, offColour);
    led.setThirdColor(thirdColour);
    led.setValue(before);
    PaintCounter counter(&led);
    QVERIFY(showSettled(led, counter));

    // What a receiver finds when the signal arrives: new value, lamp already repainted.
    int valueSeen = before;
    int paintsSeen = -1;
    connect(&led, &cr2200fp_led::valueToggled, this, [&] {
        valueSeen = led.getValue();
        paintsSeen = counter.count;
    });
    QSignalSpy spy(&led, &cr2200fp_led::valueToggled);

    led.toggleValue();
    QCOMPARE(led.getValue(), after);
    QCOMPARE(spy.count(), 1);
    QVERIFY(spy.first().isEmpty());
    QCOMPARE(valueSeen, after);
    QCOMPARE(paintsSeen, 1);
}

void tst_Led::lampColourAndDescription_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("thirdSet");
    QTest::addColumn<QColor>("expected");
    QTest::addColumn<QString>("description"); // what a screen reader says of it

    QTest::newRow("off") << 0 << false << offColour << "off";
    QTest::newRow("on") << 1 << false << onColour << "on";
    QTest::newRow("2 without third colour shows on") << 2 << false << onColour << "on";
    QTest::newRow("-1 is on") << -1 << false << onColour << "on";
    QTest::newRow("2 with third colour") << 2 << true << thirdColour << "third colour";
    QTest::newRow("1 with third colour stays on") << 1 << true << onColour << "on";
    QTest::newRow("3 with third colour stays on") << 3 << true << onColour << "on";
    QTest::newRow("0 with third colour stays off") << 0 << true << offColour << "off";
}

void tst_Led::lampColourAndDescription()
{
    QFETCH(int, value);
    QFETCH(bool, thirdSet);
    QFETCH(QColor, expected);
    QFETCH(QString, description);

    cr2200fp_led led(QStringLiteral("ICP Current"), onColour, offColour);
    QFont font;
    font.setPixelSize(20);
    prepare(led, font);
    led.setValue(value);
    if (thirdSet)
        led.setThirdColor(thirdColour);
    QCOMPARE(led.hasThirdColor(), thirdSet);

    const int h = QFontMetrics(led.font()).height();
    QCOMPARE(QColor(renderOf(led).pixel(2 + h / 2, h / 2)), expected);
    QCOMPARE(led.accessibleName(), QStringLiteral("ICP Current"));
    QCOMPARE(led.accessibleDescription(), description);
}

void tst_Led::minimumSizeHintFollowsFontAndText_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QString>("text");

    for (const int pixels : { 7, 8, 9, 13, 20 }) {
        for (const QString &text : { QString(), QStringLiteral("ICP Current"),
                 QStringLiteral("Excitation Current Limit") }) {
            const QByteArray name = QByteArray::number(pixels) + " px, \"" + text.toLatin1() + '"';
            QTest::newRow(name.constData()) << pixels << text;
        }
    }
}

void tst_Led::minimumSizeHintFollowsFontAndText()
{
    QFETCH(int, pixelSize);
    QFETCH(QString, text);

    cr2200fp_led led(QStringLiteral("placeholder"), onColour, offColour);
    QFont font;
    font.setPixelSize(pixelSize);
    led.setFont(font);
    led.setText(text);

    // The lamp is one line high and square, half a line of gap, then the caption.
    const QFontMetrics metrics(font);
    const int h = metrics.height();
    const int w = metrics.horizontalAdvance(text);
    QCOMPARE(led.minimumSizeHint(), QSize(h + w + (h + 1) / 2 + 1, h + 2));
}

void tst_Led::minimumSizeHintForHeight12Width50()
{
    const auto found = font12Text50();
    if (!found)
        QSKIP("no font of line height 12 with a 50-pixel caption on this machine");
    cr2200fp_led led(found->second, onColour, offColour);
    led.setFont(found->first);
    QCOMPARE(led.minimumSizeHint(), QSize(69, 14));
}

void tst_Led::lampPosition_data()
{
    QTest::addColumn<int>("widthDelta");
    QTest::addColumn<int>("lampLeft");

    // The lamp centres the spare width, rounding down, so a widget too narrow by one pulls
    // the lamp one pixel left while one wider by one leaves it where it was.
    QTest::newRow("two narrower") << -2 << 1;
    QTest::newRow("one narrower") << -1 << 1;
    QTest::newRow("exactly minimum") << 0 << 2;
    QTest::newRow("one wider") << 1 << 2;
    QTest::newRow("two wider") << 2 << 3;
    QTest::newRow("ten wider") << 10 << 7;
}

void tst_Led::lampPosition()
{
    QFETCH(int, widthDelta);
    QFETCH(int, lampLeft);

    cr2200fp_led led(QStringLiteral("ICP Current"), onColour, offColour);
    led.setValue(1);
    QFont font;
    font.setPixelSize(20);
    prepare(led, font, widthDelta);

    // The disc is inset 3 pixels in the lamp's square; its first wholly lit column is
    // the first pixel of exactly the lamp colour.
    QCOMPARE(firstColumnOf(renderOf(led), onColour), lampLeft + 3);
}

void tst_Led::lampPositionUsesOverriddenHint()
{
    WideLed led(QStringLiteral("ICP Current"), onColour, offColour);
    led.setValue(1);
    QFont font;
    font.setPixelSize(20);
    prepare(led, font);
    QCOMPARE(led.width(), led.cr2200fp_led::minimumSizeHint().width() + WideLed::extra);

    // The widget is exactly as wide as the subclass asks: the lamp stays at the left.
    QCOMPARE(firstColumnOf(renderOf(led), onColour), 2 + 3);
}

void tst_Led::smallOrBevelledByFontHeight_data()
{
    QTest::addColumn<int>("fontHeight");
    QTest::addColumn<bool>("bevelled");

    QTest::newRow("height 9: small disc") << 9 << false;
    QTest::newRow("height 10: bevelled") << 10 << true;
    QTest::newRow("height 24: bevelled") << 24 << true;
}

void tst_Led::smallOrBevelledByFontHeight()
{
    QFETCH(int, fontHeight);
    QFETCH(bool, bevelled);

    const std::optional<QFont> font = fontOfHeight(fontHeight);
    if (!font)
        QSKIP("no font of this line height on this machine");
    cr2200fp_led led(QStringLiteral("Excitation Current Limit"), onColour, offColour);
    led.setValue(1);
    prepare(led, *font);
    const QImage image = renderOf(led);
    const int x0 = 2;
    const QRect lampBox(x0 - 1, 0, fontHeight + 2, fontHeight + 2);

    // Lamp colour across the lamp: nearly the whole square for the small disc, the square
    // less the 3-pixel bevel on each side for the bevelled lamp.
    const int run = longestRunOf(image, onColour, lampBox.left(), lampBox.right() + 1);
    if (bevelled) {
        QCOMPARE(run, fontHeight - 6);
        QVERIFY(countIn(image, lampBox, lighterThanBackground) > 0);
    } else {
        QVERIFY2(run >= fontHeight - 3, qPrintable(QString::number(run)));
        QCOMPARE(countIn(image, lampBox, lighterThanBackground), 0);
        // The small disc is outlined with the caption's pen (black here).
        QVERIFY(countIn(image, lampBox, [](QRgb p) { return qGray(p) < 40; }) > 0);
    }
}

void tst_Led::bevelIsLitFromUpperLeft()
{
    cr2200fp_led led(QStringLiteral("ICP Current"), onColour, offColour);
    QFont font;
    font.setPixelSize(20);
    prepare(led, font);
    const QImage image = renderOf(led);
    const int h = QFontMetrics(led.font()).height();
    const int x0 = 2;
    const int half = h / 2;
    const QRect upperLeft(x0 - 1, 0, half, half);
    const QRect lowerRight(x0 + h - half + 1, h - half + 1, half, half);

    QVERIFY(countIn(image, upperLeft, lighterThanBackground) > 0);
    QCOMPARE(countIn(image, upperLeft, darkerThanBackground), 0);
    QVERIFY(countIn(image, lowerRight, darkerThanBackground) > 0);
    QCOMPARE(countIn(image, lowerRight, lighterThanBackground), 0);

    // The rim shades come from the background the lamp is painted on.
    QRgb lightest = qRgb(0, 0, 0);
    for (int y = 0; y < half; ++y)
        for (int x = x0 - 1; x < x0 + half; ++x)
            if (qGray(image.pixel(x, y)) > qGray(lightest))
                lightest = image.pixel(x, y);
    QVERIFY(qGray(lightest) <= background.lighter(150).red());
}

void tst_Led::captionSitsRightOfLampOnBaseline()
{
    cr2200fp_led led(QStringLiteral("HH"), onColour, offColour);
    QFont font;
    font.setPixelSize(20);
    prepare(led, font);
    QPalette palette = led.palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    led.setPalette(palette);
    const QImage image = renderOf(led);
    const QFontMetrics metrics(led.font());
    const int h = metrics.height();
    const int x0 = 2;

    // Everything right of the lamp's square is caption ink.
    int left = image.width();
    int bottom = -1;
    bool inkInPenColour = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = x0 + h + 1; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == background.rgb())
                continue;
            left = qMin(left, x);
            bottom = qMax(bottom, y);
            inkInPenColour = inkInPenColour || qBlue(p) > qRed(p) + 100;
        }
    }
    // Drawn with the painter's own pen, half a line right of the lamp, standing on the
    // baseline h - 1 ("H" has no descender, so its lowest ink is the row above).
    QVERIFY(inkInPenColour);
    QCOMPARE(left, x0 + h + h / 2 + metrics.leftBearing(QLatin1Char('H')));
    QCOMPARE(bottom, h - 2);
}

void tst_Led::accessibleTextsFollowChanges()
{
    cr2200fp_led led(QStringLiteral("Identification"), "#00FF00");
    QCOMPARE(led.accessibleName(), QStringLiteral("Identification"));
    QCOMPARE(led.accessibleDescription(), QStringLiteral("off"));

    led.toggleValue();
    QCOMPARE(led.accessibleDescription(), QStringLiteral("on"));
    led.setValue(2);
    QCOMPARE(led.accessibleDescription(), QStringLiteral("on"));
    // The third colour arriving while the value is already 2 changes the state at once.
    led.setThirdColor(thirdColour);
    QCOMPARE(led.accessibleDescription(), QStringLiteral("third colour"));
    led.toggleValue();
    QCOMPARE(led.accessibleDescription(), QStringLiteral("off"));

    led.setText(QStringLiteral("Excitation Current Limit"));
    QCOMPARE(led.accessibleName(), QStringLiteral("Excitation Current Limit"));
    // Colours alone change neither text.
    led.setOnColor(Qt::yellow);
    led.setOffColor(Qt::gray);
    QCOMPARE(led.accessibleName(), QStringLiteral("Excitation Current Limit"));
    QCOMPARE(led.accessibleDescription(), QStringLiteral("off"));
}

void tst_Led::colourWords_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QColor>("onColor"); // set afterwards, if valid
    QTest::addColumn<QColor>("offColor"); // likewise
    QTest::addColumn<QColor>("thirdColor"); // likewise
    QTest::addColumn<QString>("newWords"); // for the on colour afterwards, if not null
    QTest::addColumn<QString>("description");

    // The lamp has words for its on and off colours and for red.
    const QColor keep;
    QTest::newRow("dark") << 0 << keep << keep << keep << QString() << "dark words";
    QTest::newRow("lit") << 1 << keep << keep << keep << QString() << "lit words";
    QTest::newRow("lit, then turned red")
        << 1 << QColor(Qt::red) << keep << keep << QString() << "red words";
    QTest::newRow("turned red while dark")
        << 0 << QColor(Qt::red) << keep << keep << QString() << "dark words";
    QTest::newRow("lit in a colour without words falls back")
        << 1 << QColor(Qt::yellow) << keep << keep << QString() << "on";
    QTest::newRow("dark in a colour without words falls back")
        << 0 << keep << QColor(Qt::gray) << keep << QString() << "off";
    QTest::newRow("third colour") << 2 << keep << keep << QColor(Qt::red) << QString()
                                  << "red words";
    QTest::newRow("words given for the colour shown") << 1 << keep << keep << keep << "new words"
                                                      << "new words";
    QTest::newRow("words taken back from the colour shown") << 1 << keep << keep << keep << ""
                                                            << "on";
}

void tst_Led::colourWords()
{
    QFETCH(int, value);
    QFETCH(QColor, onColor);
    QFETCH(QColor, offColor);
    QFETCH(QColor, thirdColor);
    QFETCH(QString, newWords);
    QFETCH(QString, description);

    cr2200fp_led led(QStringLiteral("ICP Current"), onColour, offColour);
    led.setColorDescription(onColour, QStringLiteral("lit words"));
    led.setColorDescription(offColour, QStringLiteral("dark words"));
    led.setColorDescription(Qt::red, QStringLiteral("red words"));

    if (thirdColor.isValid())
        led.setThirdColor(thirdColor);
    led.setValue(value);
    if (onColor.isValid())
        led.setOnColor(onColor);
    if (offColor.isValid())
        led.setOffColor(offColor);
    if (!newWords.isNull())
        led.setColorDescription(onColour, newWords);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&led);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("ICP Current"));
    QCOMPARE(iface->text(QAccessible::Description), description);
}

QTEST_MAIN(tst_Led)
#include "tst_led.moc"
