#include "app/tform1.h"

#include "app/accesskeys.h"
#include "app/declarationchecks.h"
#include "app/formscrollarea.h"
#include "app/printedtexts.h"
#include "app/windowdeclaration.h"
#include "app/windowfilling.h"
#include "common/colorvalue.h"
#include "common/failure.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tlmdfill.h"
#include "form/widgets/tlmdradiogroup.h"
#include "print/printcommand.h"
#include "storage/fillinglocation.h"
#include "storage/savedfilling.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

namespace {

constexpr int wheelStep = 20;

const QColor activeStart = colorFromValue(9758459);
const QColor activeEnd = colorFromValue(1414638);
const QColor activeCaption = colorFromValue(0);
const QColor inactiveStart = colorFromValue(12505042);
const QColor inactiveEnd = colorFromValue(12505042);
const QColor inactiveCaption = colorFromValue(4542543);

// Wayland tells a window neither where it stands nor what part of the screen the panels leave free: a
// screen's available geometry is the whole screen there, and a window sized to it reaches under the
// panels and past the screen's edge.
bool workAreaIsReported()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

template<typename Handler>
auto TForm1::handler(Handler method)
{
    return [this, method] { failure::guard([this, method] { (this->*method)(); }); };
}

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Elektronikus nyomtatvány - Kerekrév Polgármesteri Hivatal"));
    setFont(catalogueFont(FontRole::Window));
    m_fillingFolder = fillinglocation::programFolder();
    m_loadFallbackFolder = fillinglocation::loadFallbackFolder(QCoreApplication::applicationDirPath(), m_fillingFolder);

    m_scrollArea = new FormScrollArea(this);
    auto *clientArea = new QWidget;
    clientArea->setObjectName(QStringLiteral("ClientArea"));
    QPalette palette = clientArea->palette();
    palette.setColor(QPalette::Window, colorFromValue(10008261));
    clientArea->setPalette(palette);
    clientArea->setAutoFillBackground(true);
    m_scrollArea->setPalette(palette);
    setCentralWidget(m_scrollArea);

    for (const Component &built : buildContent(clientArea))
        registerComponent(built.name, built.kind, built.object);
    const QRect panel = field<QWidget>(QStringLiteral("Panel1"))->geometry();
    clientArea->resize(panel.right() + 1, panel.bottom() + 1);
    m_scrollArea->setWidget(clientArea);

    buildMenu();
    for (const CatalogueRow &row : catalogue()) {
        if (row.kind == ComponentKind::TfrxReport || row.kind == ComponentKind::TfrxBarCodeObject
            || row.kind == ComponentKind::TLbRijndael)
            registerComponent(QString::fromLatin1(row.name), row.kind, nullptr);
    }
    connectHandlers();
    m_checks = std::make_unique<DeclarationChecks>(*this);
    m_frxReport1.OnGetValue = [this](const QString &VarName, QVariant &Value) { frxReport1GetValue(VarName, Value); };

    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen *screen) {
        watchWorkArea(screen);
        workAreaChanged();
    });
    watchWorkArea(QGuiApplication::primaryScreen());

    failure::guard([this] { FormCreate(); });
    fitToWorkArea();
}

TForm1::~TForm1()
{
    // Children are destroyed after this point and move the focus as they go; the window no longer
    // listens by then.
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void TForm1::registerComponent(const QString &name, ComponentKind kind, QObject *object)
{
    m_components.append({name, kind, object});
    m_byName.insert(name.toLower(), object);
    if (object)
        m_kinds.insert(object, kind);
}

QWidget *TForm1::focusedField(QWidget *focus) const
{
    for (QWidget *widget = focus; widget; widget = widget->parentWidget()) {
        const auto kind = m_kinds.constFind(widget);
        if (kind != m_kinds.cend() && isField(*kind))
            return widget;
    }
    return nullptr;
}

QObject *TForm1::component(const QString &name) const
{
    return m_byName.value(name.toLower());
}

void TForm1::buildMenu()
{
    auto *menu = new QMenuBar(this);
    menu->setObjectName(QStringLiteral("AdvMainMenu1"));
    menu->setNativeMenuBar(false);
    setMenuBar(menu);
    registerComponent(menu->objectName(), ComponentKind::TAdvMainMenu, menu);

    QList<const CatalogueRow *> items;
    QStringList captions;
    for (const CatalogueRow &row : catalogue()) {
        if (row.kind == ComponentKind::TMenuItem) {
            items.append(&row);
            captions.append(QString::fromUtf8(row.text));
        }
    }
    const QStringList marked = withAccessKeys(captions);
    for (qsizetype index = 0; index < items.size(); ++index) {
        QAction *action = menu->addAction(marked.at(index));
        action->setObjectName(QString::fromLatin1(items.at(index)->name));
        registerComponent(action->objectName(), ComponentKind::TMenuItem, action);
    }
}

void TForm1::connectHandlers()
{
    connect(field<QAction>(QStringLiteral("Nyomtats1")), &QAction::triggered, this, handler(&TForm1::Nyomtats1Click));
    connect(field<QAction>(QStringLiteral("Kitltsmentse1")), &QAction::triggered, this,
            handler(&TForm1::Kitltsmentse1Click));
    connect(field<QAction>(QStringLiteral("Kitltttrlapbetltse1")), &QAction::triggered, this,
            handler(&TForm1::Kitltttrlapbetltse1Click));
    connect(field<QAction>(QStringLiteral("Kilps1")), &QAction::triggered, this, handler(&TForm1::Kilps1Click));

    for (const Component &component : std::as_const(m_components)) {
        if (component.kind == ComponentKind::TPBNumEdit)
            qobject_cast<TPBNumEdit *>(component.object)->setExitHandler([this] { PBNumEdit5Exit(); });
    }
    connect(field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7")), &TLMDRadioGroup::clicked, this,
            handler(&TForm1::LMDRadioGroup7Click));
    connect(field<QCheckBox>(QStringLiteral("CheckBox1")), &QCheckBox::clicked, this, handler(&TForm1::CheckBox1Click));
}

// ---- Start-up, size and exit ----

void TForm1::FormCreate()
{
    for (const Component &component : std::as_const(m_components)) {
        if (component.kind == ComponentKind::TLMDMaskEdit)
            qobject_cast<TLMDMaskEdit *>(component.object)->resetToBlankTemplate();
    }
}

void TForm1::fitToWorkArea()
{
    m_fitQueued = false;
    if (!workAreaIsReported()) {
        fillWorkAreaByMaximizing();
        return;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect workArea = screen->availableGeometry();
    QWindow *window = windowHandle();
    if (!window) {
        // The frame is unknown until the window manager has framed the shown window. Placed by its
        // frame's corner, the window shows its title bar from the start, and the fit that follows
        // only shrinks it: nothing on it moves.
        resize(workArea.size());
        move(workArea.topLeft());
        return;
    }
    // Asked of the window system each time: the widget's own record of its frame is renewed only when
    // the window moves or is resized, and the window manager may report the frame without either.
    const QRect target = workArea.marginsRemoved(window->frameMargins());
    if (geometry() == target) {
        m_unansweredFits = 0;
        return;
    }
    if (!mayAskForAnotherFit())
        return;
    setGeometry(target);
}

// Where only the compositor knows the work area, a maximised window is the one that fills it.
void TForm1::fillWorkAreaByMaximizing()
{
    if (windowState() & Qt::WindowMaximized) {
        m_unansweredFits = 0;
        return;
    }
    if (!windowHandle() || mayAskForAnotherFit())
        setWindowState(windowState() | Qt::WindowMaximized);
}

// A window system that insists on other bounds (a tiling one, say) would otherwise be asked again after
// every answer, for ever.
bool TForm1::mayAskForAnotherFit()
{
    constexpr int maxUnansweredFits = 3;
    if (m_unansweredFits >= maxUnansweredFits)
        return false;
    ++m_unansweredFits;
    return true;
}

void TForm1::workAreaChanged()
{
    m_unansweredFits = 0;
    fitToWorkArea();
}

// A new primary screen brings its own work area, whose changes the window follows from then on.
void TForm1::watchWorkArea(QScreen *screen)
{
    if (screen)
        connect(screen, &QScreen::availableGeometryChanged, this, &TForm1::workAreaChanged, Qt::UniqueConnection);
}

void TForm1::queueFit()
{
    // Fitted again whenever the bounds are set, once the window system has finished moving it.
    if (m_fitQueued || !isVisible())
        return;
    m_fitQueued = true;
    QTimer::singleShot(0, this, &TForm1::fitToWorkArea);
}

void TForm1::showEvent(QShowEvent *event)
{
    // The frame's size is known only once the window system shows the window.
    QMainWindow::showEvent(event);
    queueFit();
}

void TForm1::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    queueFit();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    queueFit();
}

void TForm1::Kilps1Click()
{
    QCoreApplication::exit(0);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->accept();
    QCoreApplication::exit(0);
}

bool TForm1::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_firstActivation) {
        m_firstActivation = false;
        if (!focusWidget()) {
            const auto stops = field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"))->findChildren<QWidget *>();
            for (QWidget *stop : stops) {
                if (stop->focusPolicy() & Qt::TabFocus) {
                    stop->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
        }
    }
    return QMainWindow::event(event);
}

void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LocaleChange)
        Regional::instance().reloadFromSystem();
    // A window restored from maximised may keep its size, and then it is not resized.
    if (event->type() == QEvent::WindowStateChange)
        queueFit();
    QMainWindow::changeEvent(event);
}

// ---- Scrolling ----

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // The window manager frames the window before it shows it, so by the first expose the frame's size
    // is known; a fit that finds the window in place does nothing.
    if (event->type() == QEvent::Expose && watched == windowHandle())
        queueFit();
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this)
        return QMainWindow::eventFilter(watched, event);

    // No field of this window uses the wheel: every notch scrolls the window.
    const auto *wheel = static_cast<QWheelEvent *>(event);
    const int notches = m_wheel.add(WheelAccumulator::verticalRotation(wheel->angleDelta(), wheel->modifiers()));
    for (int step = 0; step < std::abs(notches); ++step) {
        if (notches < 0)
            FormMouseWheelDown();
        else
            FormMouseWheelUp();
    }
    event->accept();
    return true;
}

void TForm1::FormMouseWheelDown()
{
    scrollBy(wheelStep);
}

void TForm1::FormMouseWheelUp()
{
    scrollBy(-wheelStep);
}

void TForm1::scrollBy(int pixels)
{
    QScrollBar *bar = m_scrollArea->verticalScrollBar();
    bar->setValue(std::clamp(bar->value() + pixels, 0, bar->maximum()));
}

// ---- Focus: section highlighting and scrolling into view ----

void TForm1::focusChanged(QWidget *now)
{
    if (!now || now->window() != this)
        return;
    QWidget *focused = focusedField(now);
    m_scrollArea->showWidget(focused ? focused : now);
    if (focused)
        m_fieldInUse = focused;

    struct Section
    {
        const char *panel;
        void (TForm1::*enter)();
    };
    static constexpr Section sections[] = {{"Panel2", &TForm1::Panel2Enter},
                                           {"Panel4", &TForm1::Panel4Enter},
                                           {"Panel3", &TForm1::Panel3Enter}};
    for (const Section &section : sections) {
        QWidget *panel = field<QWidget>(QString::fromLatin1(section.panel));
        if (!panel->isAncestorOf(now))
            continue;
        // Moving within the section the focus is already in enters nothing.
        if (panel != m_focusSection) {
            m_focusSection = panel;
            failure::guard([this, &section] { (this->*section.enter)(); });
        }
        return;
    }
}

void TForm1::activateSection(TLMDFill *active, TLMDFill *first, TLMDFill *second)
{
    active->setGradientStartColor(activeStart);
    active->setGradientEndColor(activeEnd);
    active->setCaptionColor(activeCaption);
    for (TLMDFill *inactive : {first, second}) {
        inactive->setGradientStartColor(inactiveStart);
        inactive->setGradientEndColor(inactiveEnd);
        inactive->setCaptionColor(inactiveCaption);
    }
}

void TForm1::Panel2Enter()
{
    activateSection(field<TLMDFill>(QStringLiteral("LMDFill1")), field<TLMDFill>(QStringLiteral("LMDFill2")),
                    field<TLMDFill>(QStringLiteral("LMDFill3")));
}

void TForm1::Panel4Enter()
{
    activateSection(field<TLMDFill>(QStringLiteral("LMDFill2")), field<TLMDFill>(QStringLiteral("LMDFill1")),
                    field<TLMDFill>(QStringLiteral("LMDFill3")));
}

void TForm1::Panel3Enter()
{
    activateSection(field<TLMDFill>(QStringLiteral("LMDFill3")), field<TLMDFill>(QStringLiteral("LMDFill1")),
                    field<TLMDFill>(QStringLiteral("LMDFill2")));
}

// ---- Computation and field rules ----

QString TForm1::fieldText(const QString &name) const
{
    return field<TPBNumEdit>(name)->text();
}

QString TForm1::caption(const QString &name) const
{
    return field<QLabel>(name)->text();
}

void TForm1::setCaption(const QString &name, const QString &caption)
{
    auto *label = field<QLabel>(name);
    label->setText(caption);
    nameComputedResult(label);
}

void TForm1::PBNumEdit5Exit()
{
    recomputeTax(*this);
}

void TForm1::LMDRadioGroup7Click()
{
    const bool otherReason = field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"))->itemIndex() == 2;
    field<QWidget>(QStringLiteral("Edit9"))->setEnabled(otherReason);
}

void TForm1::CheckBox1Click()
{
    const bool privateIndividual = field<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked();
    for (const char *name : {"Edit3", "Edit7", "DateTimePicker6"})
        field<QWidget>(QString::fromLatin1(name))->setEnabled(privateIndividual);
}

// ---- Menu commands ----

// Finishes the field the user is in as leaving it would, without taking the focus from it. The menu bar
// holds the focus while it is worked from the keyboard, so that field is the one that last had it.
// False when a numeric field's value lay outside its range: it took the bound, and its exit handler did
// not run.
bool TForm1::finishFieldInUse()
{
    if (auto *number = qobject_cast<TPBNumEdit *>(m_fieldInUse.data()))
        return number->finishEditing();
    if (auto *date = qobject_cast<TDateTimePicker *>(m_fieldInUse.data()))
        date->interpretText();
    // Leaving any other field only checks it again, which the print command does for every field.
    return true;
}

void TForm1::Nyomtats1Click()
{
    // The page must not contradict itself: a number being typed counts, with its recomputation, before
    // the page is prepared. A failure ends the command here, shown in the error box; so does a number
    // out of its field's range, whose recomputation did not run. A text that the page would cut off is
    // listed with the fields' mistakes.
    if (!finishFieldInUse())
        return;
    if (!m_checks->confirmPrinting(textsCutOffOnThePage(WindowDeclaration(*this), m_frxReport1)))
        return;
    runPrintCommand(field<QLineEdit>(QStringLiteral("Edit2"))->text(), m_printIdentifier, m_frxReport1,
                    m_identifyProcessor, this);
}

void TForm1::frxReport1GetValue(const QString &VarName, QVariant &Value)
{
    if (const std::optional<QString> answer =
            reportVariable(VarName, WindowDeclaration(*this), m_printIdentifier, QDate::currentDate()))
        Value = *answer;
}

void TForm1::Kitltsmentse1Click()
{
    WindowFilling filling(*this);
    fillinglocation::prepareFolder(m_fillingFolder);
    SavedFilling(filling, m_LbRijndael1, m_fillingFolder).SaveFilling();
}

void TForm1::Kitltttrlapbetltse1Click()
{
    WindowFilling filling(*this);
    // A load that fails in the recomputation has written every field all the same.
    const auto markLoadedValues = qScopeGuard([this] { m_checks->refresh(); });
    SavedFilling(filling, m_LbRijndael1, m_fillingFolder, m_loadFallbackFolder).LoadFilling();
}
