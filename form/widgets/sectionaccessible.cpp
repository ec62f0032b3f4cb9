#include "form/widgets/sectionaccessible.h"

#include "common/accessibletextfield.h"
#include "form/widgets/tlmdfill.h"
#include "form/widgets/tpanel.h"

namespace {

// The caption as it reads: the spaces that indent it on screen are no part of it.
QString headerName(const TLMDFill *header)
{
    return header->caption().trimmed();
}

class HeaderAccessible : public QAccessibleWidget
{
public:
    explicit HeaderAccessible(TLMDFill *header)
        : QAccessibleWidget(header, QAccessible::Heading)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return headerName(static_cast<const TLMDFill *>(widget()));
        return QAccessibleWidget::text(kind);
    }
};

class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(TPanel *panel)
        : QAccessibleWidget(panel, QAccessible::Grouping)
    {
    }

    // A panel without a header, such as the one that holds the whole form, stays unnamed, and readers
    // take it for layout.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            const auto *header = widget()->findChild<const TLMDFill *>(QString(), Qt::FindDirectChildrenOnly);
            return header ? headerName(header) : QString();
        }
        return QAccessibleWidget::text(kind);
    }
};

} // namespace

void installSectionAccessibility()
{
    installAccessibleFactory<TLMDFill, HeaderAccessible>();
    installAccessibleFactory<TPanel, PanelAccessible>();
}
