// The segmented progress bar: its bounds and errors, the snapping of its
// canvas to whole blocks, and the blocks it leaves on the canvas's raster.
//
// Expected geometry is worked out here by hand from the drawing rules: margin
// 2, gap 3, block height = inner height - 4, block width = 2/3 of that rounded.
// For an inner height of 20: blocks 16 high and 11 wide (10.67 rounded), one
// every 14 pixels, each box painted from x to x + 11 inclusive (12 columns) and
// from y 2 to 17; n blocks fit exactly in an inner width of 14n + 3.
#include "app/AppContext.h"
#include "ui/CProgressBar.h"
#include "ui/ComError.h"
#include "ui/PictureBox.h"
#include "ui/SharedProgressBar.h"

#include <QElapsedTimer>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace {

constexpr OleColor Red = 0x0000FF;    // OLE colours are 0x00BBGGRR
constexpr OleColor Green = 0x00FF00;
constexpr OleColor Blue = 0xFF0000;
constexpr OleColor Yellow = 0x00FFFF;
constexpr QRgb RedPixel = 0xFFFF0000;
constexpr QRgb GreenPixel = 0xFF00FF00;
constexpr QRgb BluePixel = 0xFF0000FF;
constexpr QRgb YellowPixel = 0xFFFFFF00;

// Geometry for an inner height of 20 (see the top of the file).
constexpr int Margin = 2;
constexpr int Height20BlockWidth = 11;
constexpr int Height20BlockHeight = 16;
constexpr int Height20Pitch = 14;

// A picture box whose drawing area is innerWidth x innerHeight.
void sizeInner(PictureBox &box, int innerWidth, int innerHeight)
{
    const int frameX = box.width() - box.scaleWidth();
    const int frameY = box.height() - box.scaleHeight();
    box.resize(innerWidth + frameX, innerHeight + frameY);
}

std::unique_ptr<PictureBox> makeCanvas(int innerWidth, int innerHeight, bool border = true)
{
    auto box = std::make_unique<PictureBox>();
    box->setBorder(border);
    sizeInner(*box, innerWidth, innerHeight);
    return box;
}

// A bar in the program's colours replaced by plain ones the test can tell apart.
void paintRedOnGreen(CProgressBar &bar)
{
    bar.setForeColor(Red);
    bar.setBackColor(Green);
}

QRgb pixelAt(PictureBox &box, int x, int y) { return box.raster().pixel(x, y); }

// Blocks painted in the fore colour, read at each block's centre.
int redBlocks(PictureBox &box, int blockWidth, int blockHeight, int pitch)
{
    int count = 0;
    const int y = Margin + blockHeight / 2;
    for (int x = Margin + blockWidth / 2; x < box.scaleWidth(); x += pitch)
        count += pixelAt(box, x, y) == RedPixel ? 1 : 0;
    return count;
}

bool anyPixel(PictureBox &box, QRgb colour)
{
    const QImage &image = box.raster();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

template <typename Action>
ComError raised(Action action)
{
    try {
        action();
    } catch (const ComError &error) {
        return error;
    }
    return ComError(0, QString(), QString());
}

} // namespace

class TestProgressBar : public QObject {
    Q_OBJECT

private slots:
    void freshBarHasTheDocumentedDefaults();
    void resetStateFillsNoBlock();
    void valueAboveMaxFillsTheBarAndReadsBackMax();
    void valueBelowMinIsClampedToMin_data();
    void valueBelowMinIsClampedToMin();
    void minNotBelowMaxIsRefused_data();
    void minNotBelowMaxIsRefused();
    void maxNotAboveMinIsRefused_data();
    void maxNotAboveMinIsRefused();
    void canvasMustBeAPictureBox_data();
    void canvasMustBeAPictureBox();
    void refusedCanvasKeepsThePreviousOne();
    void resizeExSnapsTheCanvasToWholeBlocks_data();
    void resizeExSnapsTheCanvasToWholeBlocks();
    void canvasResizeSnapsAgain();
    void snappingDoesNotReenterThroughTheCanvasResize();
    void blocksAreDrawnAtTheirPlaces();
    void colorsReachTheDrawnPixels();
    void filledBlocksRoundHalvesToEven_data();
    void filledBlocksRoundHalvesToEven();
    void barOutlivesItsCanvas();
    void sharedProgressIsADrawnBarOnceInstalled();
    void pauseProgressSleepsAtLeastTheTimeGiven();
};

void TestProgressBar::freshBarHasTheDocumentedDefaults()
{
    CProgressBar bar;
    QCOMPARE(bar.value(), 0);
    QCOMPARE(bar.min(), 0);
    QCOMPARE(bar.max(), 100);
    QCOMPARE(bar.foreColor(), OleColor(0x8000000D));
    QCOMPARE(bar.backColor(), OleColor(0x8000000F));
    QVERIFY(bar.canvas() == nullptr);
}

// The task windows park the bar at value 1 of 10000.
void TestProgressBar::resetStateFillsNoBlock()
{
    auto canvas = makeCanvas(143, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    paintRedOnGreen(bar);
    bar.setValue(1);
    bar.setMax(10000);
    QVERIFY(!anyPixel(*canvas, RedPixel));
    QVERIFY(anyPixel(*canvas, GreenPixel));
}

void TestProgressBar::valueAboveMaxFillsTheBarAndReadsBackMax()
{
    auto canvas = makeCanvas(143, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    paintRedOnGreen(bar);
    bar.setValue(101);
    QCOMPARE(bar.value(), 100);
    QCOMPARE(redBlocks(*canvas, Height20BlockWidth, Height20BlockHeight, Height20Pitch), 10);
}

void TestProgressBar::valueBelowMinIsClampedToMin_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("value");
    QTest::newRow("negative with min 0") << 0 << -5;
    QTest::newRow("below a raised min") << 20 << 5;
    QTest::newRow("lowest value") << 0 << int(INT32_MIN);
}

void TestProgressBar::valueBelowMinIsClampedToMin()
{
    QFETCH(int, min);
    QFETCH(int, value);
    auto canvas = makeCanvas(143, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    paintRedOnGreen(bar);
    bar.setValue(100);
    bar.setMin(min);
    bar.setValue(value);
    QCOMPARE(bar.value(), min);
    QVERIFY(!anyPixel(*canvas, RedPixel));
}

void TestProgressBar::minNotBelowMaxIsRefused_data()
{
    QTest::addColumn<int>("min");
    QTest::newRow("equal to max") << 100;
    QTest::newRow("above max") << 150;
}

void TestProgressBar::minNotBelowMaxIsRefused()
{
    QFETCH(int, min);
    CProgressBar bar;
    bar.setMin(10);
    const ComError error = raised([&] { bar.setMin(min); });
    QCOMPARE(error.number, int32_t(0x80040002u));
    QCOMPARE(error.description, QStringLiteral("Min property must be less than Max."));
    QCOMPARE(error.source, QStringLiteral("CProgressBar.Min"));
    QCOMPARE(bar.min(), 10);
}

void TestProgressBar::maxNotAboveMinIsRefused_data()
{
    QTest::addColumn<int>("max");
    QTest::newRow("equal to min") << 0;
    QTest::newRow("below min") << -1;
}

void TestProgressBar::maxNotAboveMinIsRefused()
{
    QFETCH(int, max);
    CProgressBar bar;
    const ComError error = raised([&] { bar.setMax(max); });
    QCOMPARE(error.number, int32_t(0x80040003u));
    QCOMPARE(error.description, QStringLiteral("Max property must be greater than Min."));
    QCOMPARE(error.source, QStringLiteral("CProgressBar.Max"));
    QCOMPARE(bar.max(), 100);
}

void TestProgressBar::canvasMustBeAPictureBox_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("label") << "label";
    QTest::newRow("plain frame") << "frame";
    QTest::newRow("nothing") << "none";
}

void TestProgressBar::canvasMustBeAPictureBox()
{
    QFETCH(QString, kind);
    QLabel label;
    QFrame frame;
    QObject *object = kind == "label" ? static_cast<QObject *>(&label)
                      : kind == "frame" ? static_cast<QObject *>(&frame)
                                        : nullptr;
    CProgressBar bar;
    const ComError error = raised([&] { bar.setCanvas(object); });
    QCOMPARE(error.number, int32_t(0x80040001u));
    QCOMPARE(error.description, QStringLiteral("Canvas property must be of type PictureBox."));
    QCOMPARE(error.source, QStringLiteral("CProgressBar.Canvas"));
    QCOMPARE(QString::fromUtf8(error.what()), error.description);
    QVERIFY(bar.canvas() == nullptr);
}

void TestProgressBar::refusedCanvasKeepsThePreviousOne()
{
    auto canvas = makeCanvas(143, 20);
    QLabel label;
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    QCOMPARE(raised([&] { bar.setCanvas(&label); }).number, int32_t(0x80040001u));
    QCOMPARE(bar.canvas(), canvas.get());
}

void TestProgressBar::resizeExSnapsTheCanvasToWholeBlocks_data()
{
    QTest::addColumn<int>("innerHeight");
    QTest::addColumn<int>("innerWidth");
    QTest::addColumn<bool>("border");
    QTest::addColumn<int>("snappedWidth");
    QTest::addColumn<int>("blocks");
    // Height 20: 11-wide blocks every 14 pixels; 10 blocks fit in 143, 9 in 129.
    QTest::newRow("exact fit is kept") << 20 << 143 << true << 143 << 10;
    QTest::newRow("two pixels wider shrinks to the fit") << 20 << 145 << true << 143 << 10;
    QTest::newRow("two pixels narrower grows to the fit") << 20 << 141 << true << 143 << 10;
    QTest::newRow("one block short drops the last block") << 20 << 132 << true << 129 << 9;
    QTest::newRow("as much shown as overflowing drops it") << 20 << 136 << true << 129 << 9;
    QTest::newRow("more shown than overflowing keeps it") << 20 << 137 << true << 143 << 10;
    QTest::newRow("without a border") << 20 << 145 << false << 143 << 10;
    // Height 19: 10-wide blocks every 13 pixels; 5 blocks fit in 68.
    QTest::newRow("lower canvas, narrower blocks") << 19 << 70 << true << 68 << 5;
}

void TestProgressBar::resizeExSnapsTheCanvasToWholeBlocks()
{
    QFETCH(int, innerHeight);
    QFETCH(int, innerWidth);
    QFETCH(bool, border);
    QFETCH(int, snappedWidth);
    QFETCH(int, blocks);
    auto canvas = makeCanvas(innerWidth, innerHeight, border);
    const int frame = canvas->width() - canvas->scaleWidth();
    const int outerHeight = canvas->height();
    QCOMPARE(frame, border ? 4 : 0);

    CProgressBar bar;
    paintRedOnGreen(bar);
    bar.setValue(100);
    bar.setCanvas(canvas.get());

    QCOMPARE(canvas->scaleWidth(), snappedWidth);
    QCOMPARE(canvas->width(), snappedWidth + frame);
    QCOMPARE(canvas->height(), outerHeight);
    const int blockHeight = innerHeight - 2 * Margin;
    const int blockWidth = innerHeight == 20 ? 11 : 10;
    const int pitch = blockWidth + 3;
    QCOMPARE(redBlocks(*canvas, blockWidth, blockHeight, pitch), blocks);
    // The last block ends with three background columns to its right.
    const int lastRight = Margin + (blocks - 1) * pitch + blockWidth;
    QCOMPARE(lastRight, snappedWidth - 4);
    QCOMPARE(pixelAt(*canvas, lastRight, Margin), RedPixel);
    QCOMPARE(pixelAt(*canvas, lastRight + 1, Margin), GreenPixel);
}

void TestProgressBar::canvasResizeSnapsAgain()
{
    QWidget window;
    window.resize(400, 100);
    auto *canvas = new PictureBox(&window);
    sizeInner(*canvas, 143, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CProgressBar bar;
    bar.setCanvas(canvas);
    QCOMPARE(canvas->scaleWidth(), 143);

    sizeInner(*canvas, 175, 20);
    QCOMPARE(canvas->scaleWidth(), 171); // 12 blocks: 14 * 12 + 3
    sizeInner(*canvas, 132, 20);
    QCOMPARE(canvas->scaleWidth(), 129);
}

// A canvas too low for any block (height 4: blocks 0 wide, one every 3 pixels)
// never reaches a width it keeps, so each snap would trigger the next if the
// canvas's own resize were let back in. It gains one pitch per resize only.
void TestProgressBar::snappingDoesNotReenterThroughTheCanvasResize()
{
    QWidget window;
    window.resize(400, 100);
    auto *canvas = new PictureBox(&window);
    sizeInner(*canvas, 30, 4);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CProgressBar bar;
    bar.setCanvas(canvas);
    QCOMPARE(canvas->scaleWidth(), 33);
    bar.ResizeEx();
    QCOMPARE(canvas->scaleWidth(), 36);
}

void TestProgressBar::blocksAreDrawnAtTheirPlaces()
{
    auto canvas = makeCanvas(143, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    paintRedOnGreen(bar);
    bar.setValue(100);
    const int bottom = Margin + Height20BlockHeight - 1;
    for (int block = 0; block < 10; ++block) {
        const int left = Margin + block * Height20Pitch;
        const int right = left + Height20BlockWidth;
        QCOMPARE(pixelAt(*canvas, left, Margin), RedPixel);
        QCOMPARE(pixelAt(*canvas, right, bottom), RedPixel);
        QCOMPARE(pixelAt(*canvas, left - 1, Margin), GreenPixel);
        QCOMPARE(pixelAt(*canvas, right + 1, Margin), GreenPixel);
        QCOMPARE(pixelAt(*canvas, left, Margin - 1), GreenPixel);
        QCOMPARE(pixelAt(*canvas, left, bottom + 1), GreenPixel);
    }
}

void TestProgressBar::colorsReachTheDrawnPixels()
{
    auto canvas = makeCanvas(143, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    bar.setValue(50);
    bar.setForeColor(Blue);
    bar.setBackColor(Yellow);
    QCOMPARE(canvas->backColor(), Yellow);
    QCOMPARE(canvas->foreColor(), Blue);

    const int fifth = Margin + 4 * Height20Pitch;
    const int sixth = Margin + 5 * Height20Pitch;
    QCOMPARE(pixelAt(*canvas, fifth + 1, Margin + 1), BluePixel);
    QCOMPARE(pixelAt(*canvas, sixth + 1, Margin + 1), YellowPixel);
    QCOMPARE(pixelAt(*canvas, fifth + Height20BlockWidth + 1, Margin + 1), YellowPixel);
    QCOMPARE(pixelAt(*canvas, 0, 0), YellowPixel);

    // What is painted on screen is the raster, inside the frame.
    const QImage shown = canvas->grab().toImage();
    const int frame = (canvas->width() - canvas->scaleWidth()) / 2;
    QCOMPARE(shown.pixel(frame + fifth + 1, frame + Margin + 1), BluePixel);
    QCOMPARE(shown.pixel(frame + sixth + 1, frame + Margin + 1), YellowPixel);
}

void TestProgressBar::filledBlocksRoundHalvesToEven_data()
{
    // Four blocks (inner width 59) and a maximum of 8: value v fills v / 2 blocks.
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("filled");
    QTest::newRow("0.5 rounds down to 0") << 1 << 0;
    QTest::newRow("1 stays 1") << 2 << 1;
    QTest::newRow("1.5 rounds up to 2") << 3 << 2;
    QTest::newRow("2.5 rounds down to 2") << 5 << 2;
    QTest::newRow("3 stays 3") << 6 << 3;
    QTest::newRow("3.5 rounds up to 4") << 7 << 4;
}

void TestProgressBar::filledBlocksRoundHalvesToEven()
{
    QFETCH(int, value);
    QFETCH(int, filled);
    auto canvas = makeCanvas(59, 20);
    CProgressBar bar;
    bar.setCanvas(canvas.get());
    paintRedOnGreen(bar);
    bar.setMax(8);
    bar.setValue(value);
    QCOMPARE(canvas->scaleWidth(), 59);
    QCOMPARE(redBlocks(*canvas, Height20BlockWidth, Height20BlockHeight, Height20Pitch), filled);
    if (filled > 0) // filled blocks come first
        QCOMPARE(pixelAt(*canvas, Margin + (filled - 1) * Height20Pitch, Margin), RedPixel);
}

// The shared bar lives on after the add window that lent it a canvas closes.
void TestProgressBar::barOutlivesItsCanvas()
{
    CProgressBar bar;
    bar.setValue(7);
    bar.Refresh(true);
    bar.Resize();
    bar.ResizeEx();
    QCOMPARE(bar.value(), 7);

    auto canvas = makeCanvas(143, 20);
    bar.setCanvas(canvas.get());
    canvas.reset();
    QVERIFY(bar.canvas() == nullptr);
    bar.setValue(50);
    bar.setBackColor(Green);
    bar.ResizeEx();
    QCOMPARE(bar.value(), 50);
}

void TestProgressBar::sharedProgressIsADrawnBarOnceInstalled()
{
    resetAppContext();
    QVERIFY(sharedProgressBar() == nullptr);
    resetAppContext();
    installSharedProgressBar();
    CProgressBar *bar = sharedProgressBar();
    QVERIFY(bar != nullptr);
    QCOMPARE(static_cast<ProgressIndicator *>(bar), &appContext().SharedProgress());
    appContext().SharedProgress().setMax(10000);
    QCOMPARE(bar->max(), 10000);
    appContext().releaseSharedProgress();
    QCOMPARE(sharedProgressBar()->max(), 100);
    resetAppContext();
}

void TestProgressBar::pauseProgressSleepsAtLeastTheTimeGiven()
{
    CProgressBar bar;
    QElapsedTimer timer;
    timer.start();
    bar.PauseProgress(40);
    QVERIFY(timer.elapsed() >= 40);
}

QTEST_MAIN(TestProgressBar)
#include "test_progress_bar.moc"
