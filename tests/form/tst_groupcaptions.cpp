// The captions of the two address groups and of the option group as a user sees them: each set into
// the top line of its frame, the line broken behind it, and nothing else drawn over it; and the frames'
// lines on the outermost pixels of their components. The drawing depends on the device pixel ratio, so
// CTest runs this at scale factors 1 and 2.

#include "common/fonts.h"
#include "form/contentbuilder.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QTest>

#include <memory>

namespace {

// The frame's pixels are mid-grey, the caption's text is drawn in the window-text colour.
bool isText(QRgb pixel)
{
    return qAlpha(pixel) >= 128 && qGray(qUnpremultiply(pixel)) < 96;
}

// The group drawn alone, without its contents and on no background: its frame and its caption.
QImage drawnAlone(QWidget *group)
{
    const qreal ratio = group->devicePixelRatioF();
    QImage image(group->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    group->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The frame's top line: the first row drawn across more than half of the group's width.
int topLineRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        int drawn = 0;
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0;
        if (drawn > image.width() / 2)
            return y;
    }
    return -1;
}

QRect textBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isText(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// How many pixels of the top line's colour the row holds between the caption's first and last column.
int lineColouredPixels(const QImage &image, int row, const QRect &caption)
{
    const QRgb line = image.pixel(image.width() * 3 / 4, row);
    int count = 0;
    for (int x = caption.left(); x <= caption.right(); ++x)
        count += image.pixel(x, row) == line;
    return count;
}

QRect toLogical(const QRect &device, qreal ratio)
{
    return QRectF(device.left() / ratio, device.top() / ratio, device.width() / ratio, device.height() / ratio)
        .toAlignedRect();
}

} // namespace

class TestGroupCaptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void captionStandsInTheTopLineOfItsFrame_data();
    void captionStandsInTheTopLineOfItsFrame();
    void frameLinesCoverTheOuterPixels_data();
    void frameLinesCoverTheOuterPixels();

private:
    std::unique_ptr<QWidget> m_clientArea;
};

void TestGroupCaptions::initTestCase()
{
    m_clientArea = std::make_unique<QWidget>();
    m_clientArea->resize(800, 1400);
    buildContent(m_clientArea.get());
    m_clientArea->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_clientArea.get()));
}

void TestGroupCaptions::captionStandsInTheTopLineOfItsFrame_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("caption");

    QTest::newRow("seat or residence") << "LMDGroupBox1" << "Székhelye, lakóhelye";
    QTest::newRow("postal address") << "LMDGroupBox9" << "Levelezési címe";
    QTest::newRow("reason for submitting") << "LMDRadioGroup7" << "Benyújtásának oka:";
}

void TestGroupCaptions::captionStandsInTheTopLineOfItsFrame()
{
    QFETCH(QString, group);
    QFETCH(QString, caption);
    auto *box = m_clientArea->findChild<QGroupBox *>(group);
    QVERIFY(box);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(accessible->role(), QAccessible::Grouping);
    QCOMPARE(accessible->text(QAccessible::Name), caption);

    const QImage image = drawnAlone(box);
    const qreal ratio = image.devicePixelRatio();
    const int topLine = topLineRow(image);
    const QRect text = textBounds(image);
    const QByteArray where = QStringLiteral("caption %1,%2 %3x%4, top line at row %5 (device pixels)")
                                 .arg(text.x())
                                 .arg(text.y())
                                 .arg(text.width())
                                 .arg(text.height())
                                 .arg(topLine)
                                 .toUtf8();
    QVERIFY2(topLine >= 0 && !text.isEmpty(), where);
    QVERIFY2(text.top() < topLine && text.bottom() > topLine, where);
    QVERIFY2(text.left() > 0 && text.right() < image.width() - 1, where);
    // Text may happen to match the line's colour here and there; a line drawn through it would not.
    QVERIFY2(lineColouredPixels(image, topLine, text) < text.width() / 4, where);

    const QRect captionInArea(box->mapTo(m_clientArea.get(), QPoint()) + toLogical(text, ratio).topLeft(),
                              toLogical(text, ratio).size());
    for (QWidget *other : m_clientArea->findChildren<QWidget *>()) {
        if (other == box || other->isAncestorOf(box) || !other->isVisibleTo(m_clientArea.get()))
            continue;
        const QRect otherInArea(other->mapTo(m_clientArea.get(), QPoint()), other->size());
        QVERIFY2(!otherInArea.intersects(captionInArea),
                 qPrintable(QStringLiteral("%1 (%2) covers the caption").arg(other->objectName(),
                                                                             other->metaObject()->className())));
    }
}

void TestGroupCaptions::frameLinesCoverTheOuterPixels_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<int>("topLeftRole");
    QTest::addColumn<int>("bottomRightRole");

    QTest::newRow("raised panel") << "Panel1" << int(QPalette::Light) << int(QPalette::Dark);
    QTest::newRow("lowered panel") << "Panel4" << int(QPalette::Dark) << int(QPalette::Light);
    QTest::newRow("etched group") << "LMDGroupBox1" << int(QPalette::Dark) << int(QPalette::Light);
}

// A line one pixel wide along an edge covers the component's outermost pixel of that edge, which is as
// many device pixels as the screen's scale: none of it falls outside, and no strip of background is
// left beyond it.
void TestGroupCaptions::frameLinesCoverTheOuterPixels()
{
    QFETCH(QString, component);
    QFETCH(int, topLeftRole);
    QFETCH(int, bottomRightRole);
    auto *widget = m_clientArea->findChild<QWidget *>(component);
    QVERIFY(widget);
    const QRgb topLeft = widget->palette().color(QPalette::ColorRole(topLeftRole)).rgba();
    const QRgb bottomRight = widget->palette().color(QPalette::ColorRole(bottomRightRole)).rgba();

    const QImage image = drawnAlone(widget);
    const int ratio = qRound(image.devicePixelRatio());
    const int middleX = image.width() / 2;
    const int middleY = image.height() / 2;
    for (int inward = 0; inward < ratio; ++inward) {
        QCOMPARE(image.pixel(inward, middleY), topLeft);
        QCOMPARE(image.pixel(image.width() - 1 - inward, middleY), bottomRight);
        QCOMPARE(image.pixel(middleX, image.height() - 1 - inward), bottomRight);
    }
}

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    fonts::install();
    TestGroupCaptions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_groupcaptions.moc"
