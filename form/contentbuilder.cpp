#include "form/contentbuilder.h"

#include "common/colorvalue.h"
#include "common/fonts.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/readabletext.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "form/widgets/tlmdfill.h"
#include "form/widgets/tlmdgroupbox.h"
#include "form/widgets/tlmdradiogroup.h"
#include "form/widgets/tpanel.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <span>

namespace {

constexpr int designTextHeight = 13;

struct FontChoice
{
    const char *family;
    int pixelSize;
    bool bold;
};

FontChoice fontChoice(FontRole role)
{
    switch (role) {
    case FontRole::Window: return {"MS Sans Serif", 11, false};
    case FontRole::Label: return {"Arial", 15, false};
    case FontRole::LabelBold: return {"Arial", 15, true};
    case FontRole::Caption: return {"Tahoma", 13, true};
    case FontRole::FormTitle: return {"Arial", 27, true};
    case FontRole::FormNumber: return {"Arial", 29, true};
    }
    return {"MS Sans Serif", 11, false};
}

QString text(const CatalogueRow &row)
{
    return QString::fromUtf8(row.text);
}

bool has(const CatalogueRow &row, RowFlag flag)
{
    return (row.flags & flag) != 0;
}

// Each widget takes its font before its text, so that the text is laid out once, in its own font.
template<typename Widget>
Widget *withFont(Widget *widget, const QFont &font)
{
    widget->setFont(font);
    return widget;
}

QWidget *createLabel(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *label = withFont(new QLabel(parent), font);
    // The title's rich text is one paragraph in one font, which plain text draws alike without a
    // text document behind the label.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(has(row, WordWrap));
    label->setAlignment((has(row, RightAligned) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    label->setText(text(row));
    return label;
}

// A panel without a colour of its own takes the system's button face.
QWidget *createPanel(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    const QColor color = row.color >= 0 ? colorFromValue(std::uint32_t(row.color)) : QColor();
    return withFont(new TPanel(row.bevel, color, parent), font);
}

// The title's rich text names its colour, black, where the other labels take the window-text colour.
QWidget *createTitle(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    QWidget *title = createLabel(row, font, parent);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    title->setPalette(palette);
    return title;
}

QWidget *createFill(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *fill = withFont(new TLMDFill(parent), font);
    fill->setCaption(text(row));
    // Created states: I and III active with the window-text colour as caption colour, II inactive.
    // The active gradient is light under every theme; a dark theme's light text gives way to black.
    const bool active = has(row, InitiallyActive);
    const QColor start = colorFromValue(active ? 9758459 : 12505042);
    const QColor end = colorFromValue(active ? 1414638 : 12505042);
    fill->setGradientStartColor(start);
    fill->setGradientEndColor(end);
    fill->setCaptionColor(active ? readableTextColor(parent->palette().color(QPalette::WindowText), {start, end})
                                 : colorFromValue(4542543));
    return fill;
}

QWidget *createGroupBox(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *box = withFont(new TLMDGroupBox(parent), font);
    box->setTitle(text(row));
    return box;
}

QWidget *createNumEdit(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *edit = withFont(new TPBNumEdit(parent), font);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setText(text(row));
    return edit;
}

QWidget *createMaskEdit(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *edit = withFont(new TLMDMaskEdit(parent), font);
    edit->setMaxLength(row.maxLength);
    edit->setBlankChar(QChar::fromLatin1(row.blankChar));
    edit->setMask(QString::fromUtf8(row.mask));
    edit->setText(text(row));
    return edit;
}

QWidget *createDatePicker(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *picker = withFont(new TDateTimePicker(parent), font);
    picker->setDateTime(QDateTime(QDate(row.year, row.month, row.day), QTime(12, 3, 18)));
    return picker;
}

QWidget *createRadioGroup(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *group = withFont(new TLMDRadioGroup(QString::fromUtf8(row.items).split(u'\n'), row.columns, parent), font);
    group->setTitle(text(row));
    group->setItemIndex(row.itemIndex);
    return group;
}

QWidget *createCheckBox(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    auto *box = withFont(new QCheckBox(parent), font);
    box->setText(text(row));
    box->setChecked(has(row, Checked));
    return box;
}

QWidget *createWidget(const CatalogueRow &row, const QFont &font, QWidget *parent)
{
    switch (row.kind) {
    case ComponentKind::TPanel: return createPanel(row, font, parent);
    case ComponentKind::TLMDFill: return createFill(row, font, parent);
    case ComponentKind::TLMDGroupBox: return createGroupBox(row, font, parent);
    case ComponentKind::TRTFLabel: return createTitle(row, font, parent);
    case ComponentKind::TLabel:
    case ComponentKind::TLMDLabel: return createLabel(row, font, parent);
    case ComponentKind::TEdit: return withFont(new TEdit(parent), font);
    case ComponentKind::TPBNumEdit: return createNumEdit(row, font, parent);
    case ComponentKind::TLMDMaskEdit: return createMaskEdit(row, font, parent);
    case ComponentKind::TDateTimePicker: return createDatePicker(row, font, parent);
    case ComponentKind::TLMDRadioGroup: return createRadioGroup(row, font, parent);
    case ComponentKind::TCheckBox: return createCheckBox(row, font, parent);
    case ComponentKind::TAdvMainMenu:
    case ComponentKind::TMenuItem:
    case ComponentKind::TfrxReport:
    case ComponentKind::TfrxBarCodeObject:
    case ComponentKind::TLbRijndael: break;
    }
    return nullptr;
}

bool isContainer(ComponentKind kind)
{
    return kind == ComponentKind::TPanel || kind == ComponentKind::TLMDGroupBox;
}

// The title stays on one line: its font shrinks until the line fits the box's width, and the box ends
// under the line instead of reaching down over section I. Other labels keep their boxes as they are;
// their face is drawn narrower to fit them (see catalogueFont).
void fitTitle(QLabel *title, const QFont &labelFont)
{
    QFont font = title->font();
    font.setPixelSize(fittingPixelSize(font, title->text(), title->width(), labelFont));
    title->setFont(font);
    title->resize(title->width(), std::min(title->height(), title->sizeHint().height()));
}

// The focus chain: each container's contents in their tab positions, a container standing for all
// of its contents at its own position.
void appendTabStops(const QString &container, const QHash<QString, QList<const CatalogueRow *>> &contents,
                    const QHash<QString, QWidget *> &widgets, QList<QWidget *> &chain)
{
    QList<const CatalogueRow *> rows = contents.value(container);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CatalogueRow *a, const CatalogueRow *b) { return a->tab < b->tab; });
    for (const CatalogueRow *row : rows) {
        if (row->tab < 0)
            continue;
        QWidget *widget = widgets.value(QString::fromLatin1(row->name));
        if (isContainer(row->kind))
            appendTabStops(QString::fromLatin1(row->name), contents, widgets, chain);
        else if (row->kind == ComponentKind::TLMDRadioGroup)
            for (QRadioButton *option : widget->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
                chain.append(option);
        else
            chain.append(widget);
    }
}

// The text height as Windows measures it, ascent and descent each rounded up. Qt rounds them to the
// nearest pixel instead, which would make the scalable face that stands in for the window font at a
// scale factor other than 1 (Liberation Sans: 12.3 pixels) shrink the whole layout.
int windowsTextHeight(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return int(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}

const CatalogueRow *catalogueRow(const QString &name)
{
    const std::span<const CatalogueRow> rows = catalogue();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&name](const CatalogueRow &row) { return name == QLatin1String(row.name); });
    return found == rows.end() ? nullptr : &*found;
}

// The labels that name a component stand in the same container.
QLabel *siblingLabel(const QWidget *widget, const char *name)
{
    return widget->parentWidget()->findChild<QLabel *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

QString siblingText(const QWidget *widget, const char *name)
{
    const QLabel *label = name ? siblingLabel(widget, name) : nullptr;
    return label ? label->text() : QString();
}

// A field's name: the label beside it, and inside an address group the group's caption with the
// label as the field's part of it ("Székhelye, lakóhelye: irányítószám").
QString accessibleFieldName(const QString &label, const QString &group)
{
    if (group.isEmpty())
        return label;
    QString part = label;
    if (part.endsWith(u':'))
        part.chop(1);
    if (!part.isEmpty())
        part[0] = part.at(0).toLower();
    return group + QStringLiteral(": ") + part;
}

// A computed result as it reads along its line: caption, value, unit.
QString accessibleResultName(const QString &caption, const QString &value, const QString &unit)
{
    QStringList words{caption, value, unit};
    words.removeAll(QString());
    return words.join(u' ');
}

// Screen readers name a field after the label beside it and read the unit after it as its
// description. The label also becomes the field's buddy, which gives the field its "labelled by"
// relation; no label carries an access key, so nothing on screen changes.
void nameAfterLabel(const CatalogueRow &row, QWidget *widget, const QHash<QString, const CatalogueRow *> &rows)
{
    if (row.kind == ComponentKind::TLabel) {
        nameComputedResult(static_cast<QLabel *>(widget));
        return;
    }
    const CatalogueRow *container = rows.value(QString::fromLatin1(row.container));
    const bool inGroup = container && container->kind == ComponentKind::TLMDGroupBox;
    widget->setAccessibleName(
        accessibleFieldName(siblingText(widget, row.label), inGroup ? QString::fromUtf8(container->text) : QString()));
    widget->setAccessibleDescription(siblingText(widget, row.unit));
    QLabel *label = siblingLabel(widget, row.label);
    if (label && !label->buddy())
        label->setBuddy(widget);
}

// Qt's line edits lay out their empty text in the application's font before they take their own, and
// that first layout loads the font: an engine, and for the generic "Sans Serif" a fallback search
// through every installed font, which together cost the start-up more than any one of the form's own
// faces. The form never draws in the application's font, so while it is built the application's font
// is the window's, which is drawn anyway. QGuiApplication's setter, unlike QApplication's, leaves the
// fonts the desktop's theme gives some widget classes alone.
class WindowFontAsApplicationFont
{
public:
    explicit WindowFontAsApplicationFont(const QFont &windowFont)
        : m_applicationFont(QGuiApplication::font())
    {
        QGuiApplication::setFont(windowFont);
    }
    ~WindowFontAsApplicationFont() { QGuiApplication::setFont(m_applicationFont); }
    WindowFontAsApplicationFont(const WindowFontAsApplicationFont &) = delete;
    WindowFontAsApplicationFont &operator=(const WindowFontAsApplicationFont &) = delete;

private:
    QFont m_applicationFont;
};

} // namespace

void nameComputedResult(QLabel *result)
{
    const CatalogueRow *row = catalogueRow(result->objectName());
    if (!row || !row->label)
        return;
    const QString name =
        accessibleResultName(siblingText(result, row->label), result->text(), siblingText(result, row->unit));
    if (result->accessibleName() != name)
        result->setAccessibleName(name);
}

QFont catalogueFont(FontRole role, double scale)
{
    const FontChoice choice = fontChoice(role);
    const QString family = QString::fromLatin1(choice.family);
    QFont font(fonts::drawnFamily(family));
    font.setPixelSize(role == FontRole::Window ? choice.pixelSize : int(std::lround(choice.pixelSize * scale)));
    font.setBold(choice.bold);
    // One stretch for the whole face, so each face makes one font engine however many labels use it.
    // Named even where it is the face's own width: a stretch left open is inherited, and the fields
    // would take the label font's from their panels.
    font.setStretch(fonts::windowStretch(family));
    return font;
}

int fittingPixelSize(QFont font, const QString &line, int width, const QFont &reference)
{
    constexpr int smallest = 8;
    const int ownSize = font.pixelSize();
    const auto advanceAt = [&font, &line](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).horizontalAdvance(line);
    };
    const auto stretchOf = [](const QFont &of) { return of.stretch() > 0 ? of.stretch() : 100; };
    // The advance grows almost in proportion to the size and to the stretch; hinting puts an estimate
    // made so a pixel off either way.
    const double advancePerPixel = QFontMetricsF(reference).horizontalAdvance(line) / reference.pixelSize()
                                 * stretchOf(font) / stretchOf(reference);
    int size = advancePerPixel > 0 ? std::clamp(int(width / advancePerPixel), smallest, ownSize) : ownSize;
    const int advance = advanceAt(size);
    if (advance <= width) {
        // The line fits; the advance it measured promises the largest size that may.
        const int promised = std::min(ownSize, int(qint64(size) * width / std::max(advance, 1)));
        for (int larger = promised; larger > size; --larger) {
            if (advanceAt(larger) <= width)
                return larger;
        }
        return size;
    }
    while (size > smallest) {
        --size;
        if (advanceAt(size) <= width)
            break;
    }
    return size;
}

double contentScale(int windowFontTextHeight)
{
    return double(windowFontTextHeight) / designTextHeight;
}

QRect scaledGeometry(const QRect &geometry, double scale)
{
    const auto scaled = [scale](int edge) { return int(std::lround(edge * scale)); };
    return QRect(QPoint(scaled(geometry.left()), scaled(geometry.top())),
                 QPoint(scaled(geometry.left() + geometry.width()) - 1, scaled(geometry.top() + geometry.height()) - 1));
}

QList<Component> buildContent(QWidget *clientArea)
{
    const QFont windowFont = catalogueFont(FontRole::Window);
    const double scale = contentScale(windowsTextHeight(windowFont));
    const WindowFontAsApplicationFont whileBuilding(windowFont);
    QHash<QString, QWidget *> widgets;
    QHash<QString, QList<const CatalogueRow *>> contents;
    QHash<QString, const CatalogueRow *> rows;
    QList<Component> components;

    for (const CatalogueRow &row : catalogue()) {
        QWidget *parent = row.container ? widgets.value(QString::fromLatin1(row.container)) : clientArea;
        if (!parent)
            continue;
        QWidget *widget = createWidget(row, catalogueFont(row.font, scale), parent);
        if (!widget)
            continue;
        const QString name = QString::fromLatin1(row.name);
        widget->setObjectName(name);
        widget->setGeometry(scaledGeometry(row.geometry, scale));
        widget->setEnabled(!has(row, Disabled));
        if (row.kind == ComponentKind::TRTFLabel)
            fitTitle(static_cast<QLabel *>(widget), catalogueFont(FontRole::LabelBold, scale));
        widgets.insert(name, widget);
        rows.insert(name, &row);
        contents[row.container ? QString::fromLatin1(row.container) : QString()].append(&row);
        components.append({name, row.kind, widget});
    }

    for (const CatalogueRow &row : catalogue()) {
        QWidget *widget = widgets.value(QString::fromLatin1(row.name));
        if (widget && row.label)
            nameAfterLabel(row, widget, rows);
    }

    QList<QWidget *> chain;
    appendTabStops(QString(), contents, widgets, chain);
    for (qsizetype index = 1; index < chain.size(); ++index)
        QWidget::setTabOrder(chain.at(index - 1), chain.at(index));
    return components;
}
