#pragma once

#include <QAccessible>
#include <QList>
#include <QPointer>

// Records, in process, what the program tells screen readers: each accessibility event with the
// object it concerns and what a reader fetches at that moment. Qt delivers events only while a
// screen reader is present (see withscreenreader.sh). One recorder at a time.
class AccessibilityEvents
{
public:
    struct Event
    {
        QPointer<QObject> object;
        QAccessible::Event type = QAccessible::InvalidEvent;
        QString name;      // the object's accessible name as the event arrives
        int position = -1; // text events: where the change starts; caret and selection events: the caret
        QString removed;
        QString inserted;
        int selectionStart = -1;
        int selectionEnd = -1;
    };

    AccessibilityEvents()
    {
        current() = this;
        m_previous = QAccessible::installUpdateHandler(&record);
    }

    ~AccessibilityEvents()
    {
        QAccessible::installUpdateHandler(m_previous);
        current() = nullptr;
    }

    AccessibilityEvents(const AccessibilityEvents &) = delete;
    AccessibilityEvents &operator=(const AccessibilityEvents &) = delete;

    void clear() { m_events.clear(); }

    QList<Event> of(const QObject *object, QAccessible::Event type) const
    {
        QList<Event> found;
        for (const Event &event : m_events) {
            if (event.object == object && event.type == type)
                found.append(event);
        }
        return found;
    }

private:
    static AccessibilityEvents *&current()
    {
        static AccessibilityEvents *recorder = nullptr;
        return recorder;
    }

    static void record(QAccessibleEvent *event)
    {
        Event recorded;
        recorded.object = event->object();
        recorded.type = event->type();
        if (QAccessibleInterface *accessible = event->accessibleInterface())
            recorded.name = accessible->text(QAccessible::Name);
        switch (event->type()) {
        case QAccessible::TextInserted: {
            const auto *inserted = static_cast<QAccessibleTextInsertEvent *>(event);
            recorded.position = inserted->changePosition();
            recorded.inserted = inserted->textInserted();
            break;
        }
        case QAccessible::TextRemoved: {
            const auto *removed = static_cast<QAccessibleTextRemoveEvent *>(event);
            recorded.position = removed->changePosition();
            recorded.removed = removed->textRemoved();
            break;
        }
        case QAccessible::TextUpdated: {
            const auto *updated = static_cast<QAccessibleTextUpdateEvent *>(event);
            recorded.position = updated->changePosition();
            recorded.removed = updated->textRemoved();
            recorded.inserted = updated->textInserted();
            break;
        }
        case QAccessible::TextCaretMoved:
            recorded.position = static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition();
            break;
        case QAccessible::TextSelectionChanged: {
            const auto *selection = static_cast<QAccessibleTextSelectionEvent *>(event);
            recorded.selectionStart = selection->selectionStart();
            recorded.selectionEnd = selection->selectionEnd();
            recorded.position = selection->cursorPosition();
            break;
        }
        default:
            break;
        }
        if (current())
            current()->m_events.append(recorded);
    }

    QAccessible::UpdateHandler m_previous = nullptr;
    QList<Event> m_events;
};
