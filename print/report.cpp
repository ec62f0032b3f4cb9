#include "print/report.h"

#include "common/exception.h"
#include "common/regionalsettings.h"
#include "dialogs/dialogs.h"
#include "print/pagepainter.h"
#include "print/preview/showpreview.h"
#include "print/textexpansion.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Captioned "Hiba" by the Hungarian row of the dialogs' language table.
void showErrorBox(const QString &text)
{
    ShowMessageBox(text, mtError, {mbOK}, MessDlgs::Hungarian);
}

void showPreviewWindow(const PageDrawer &pages, QWidget *parent)
{
    ShowPreview(pages, parent);
}

// The names the engine answers itself, whatever their letter case.
std::optional<QString> engineValue(const QString &expression, const TfrxReport::Preparation &preparation)
{
    const QString name = expression.toLower();
    if (name == QLatin1String("date"))
        return dateText(preparation.started.date());
    if (name == QLatin1String("time"))
        return preparation.started.time().toString(QStringLiteral("hh:mm:ss"));
    // One pass: the page being prepared is the last one so far.
    if (name == QLatin1String("page") || name == QLatin1String("page#") || name == QLatin1String("totalpages")
        || name == QLatin1String("totalpages#"))
        return QString::number(preparation.pageNumber);
    // The page has no data bands, so no data line has been printed.
    if (name == QLatin1String("line") || name == QLatin1String("line#"))
        return QStringLiteral("0");
    return std::nullopt;
}

// The expression language knows only names; one that nobody answered is an error.
QString unresolvedReason(const QString &expression)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (identifier.match(expression).hasMatch())
        return QStringLiteral("Undeclared identifier: '%1'").arg(expression);
    return QStringLiteral("Expression expected");
}

QString valueText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

} // namespace

TfrxReport::TfrxReport()
    : m_previewWindow(showPreviewWindow)
{
}

// Built on first use: the template decodes its emblems, which only printing needs.
TfrxReportPage &TfrxReport::templatePage() const
{
    if (!m_template)
        m_template = Page1();
    return *m_template;
}

TfrxView *TfrxReport::FindObject(const QString &objectName)
{
    return templatePage().findObject(objectName);
}

QString TfrxReport::resolve(const TfrxView &view, const QString &expression, const Preparation &preparation) const
{
    if (const std::optional<QString> value = engineValue(expression, preparation))
        return *value;
    QVariant value;
    if (OnGetValue)
        OnGetValue(expression, value);
    if (value.isValid())
        return valueText(value);
    throw Exception(QStringLiteral("%1: Hiba a kifejezésben '%2': %3")
                              .arg(view.name, expression, unresolvedReason(expression)));
}

TfrxReportPage TfrxReport::preparePage(const Preparation &preparation) const
{
    TfrxReportPage page = templatePage();
    for (TfrxView &view : page.objects) {
        if (view.kind == TfrxObjectKind::Memo)
            view.text = expandBrackets(view.text, [&](const QString &expression) {
                return resolve(view, expression, preparation);
            });
    }
    return page;
}

bool TfrxReport::PreparePages(bool ClearPrevious)
{
    if (ClearPrevious)
        m_preparedPages.clear();
    m_errors.clear();

    try {
        m_preparedPages.push_back(preparePage({QDateTime::currentDateTime(), pageCount() + 1}));
    } catch (const Exception &error) {
        addError(error.message());
    } catch (const std::exception &error) {
        addError(QString::fromLocal8Bit(error.what()));
    }

    if (m_errors.isEmpty())
        return true;
    QString text = QStringLiteral("A következő hiba történt:\r\n");
    for (const QString &line : std::as_const(m_errors))
        text += line + QStringLiteral("\r\n");
    showErrorBox(text);
    return false;
}

void TfrxReport::addError(const QString &message)
{
    const auto position = std::lower_bound(m_errors.begin(), m_errors.end(), message);
    if (position == m_errors.end() || *position != message)
        m_errors.insert(position, message);
}

void TfrxReport::ShowPreview(QWidget *parent)
{
    m_previewWindow(*this, parent);
}

void TfrxReport::setPreviewWindow(PreviewWindow previewWindow)
{
    m_previewWindow = previewWindow ? std::move(previewWindow) : PreviewWindow(showPreviewWindow);
}

int TfrxReport::pageCount() const
{
    return int(m_preparedPages.size());
}

// A page index outside the prepared pages has the template's sheet and draws nothing.
const TfrxReportPage *TfrxReport::preparedPage(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= pageCount())
        return nullptr;
    return &m_preparedPages[std::size_t(pageIndex)];
}

QSizeF TfrxReport::sheetSizeMm(int pageIndex) const
{
    const TfrxReportPage *page = preparedPage(pageIndex);
    return page ? page->paperMm : templatePage().paperMm;
}

void TfrxReport::drawPage(int pageIndex, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                          QPointF sheetTopLeft) const
{
    if (const TfrxReportPage *page = preparedPage(pageIndex))
        drawReportPage(*page, painter, dotsPerInchX, dotsPerInchY, sheetTopLeft);
}
