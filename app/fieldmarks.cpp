#include "app/fieldmarks.h"

#include "form/widgets/edgelines.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The red of a warning, dark enough to read as a frame beside the form's grey bevels.
const QColor markColour(0xD0, 0x10, 0x10);

// Two pixels over the field's border; in the field with the focus, just inside the style's focus
// frame, which stays visible.
void paintMark(QWidget *field)
{
    QPainter painter(field);
    const int inset = field->hasFocus() ? 1 : 0;
    const QRect outer = field->rect().adjusted(inset, inset, -inset, -inset);
    for (const QRect &outline : {outer, outer.adjusted(1, 1, -1, -1)}) {
        for (const QRect &edge : {edgelines::top(outline), edgelines::left(outline), edgelines::bottom(outline),
                                  edgelines::right(outline)})
            painter.fillRect(edge, markColour);
    }
}

} // namespace

FieldMarks::~FieldMarks()
{
    for (auto mark = m_marks.cbegin(); mark != m_marks.cend(); ++mark)
        mark.key()->removeEventFilter(this);
}

void FieldMarks::mark(QWidget *field, const QString &reason)
{
    if (!m_marks.contains(field)) {
        m_marks.insert(field, {field->toolTip(), field->accessibleDescription()});
        field->installEventFilter(this);
        connect(field, &QObject::destroyed, this, [this, field] { m_marks.remove(field); });
    }
    if (field->toolTip() != reason)
        field->setToolTip(reason);
    if (field->accessibleDescription() != reason)
        field->setAccessibleDescription(reason);
    field->update();
}

void FieldMarks::unmark(QWidget *field)
{
    const auto mark = m_marks.constFind(field);
    if (mark == m_marks.cend())
        return;
    field->removeEventFilter(this);
    disconnect(field, &QObject::destroyed, this, nullptr);
    field->setToolTip(mark->toolTip);
    field->setAccessibleDescription(mark->accessibleDescription);
    m_marks.erase(mark);
    field->update();
}

bool FieldMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    // The field paints itself first; the frame then goes over its border.
    watched->event(event);
    paintMark(static_cast<QWidget *>(watched));
    return true;
}
