#pragma once

#include "app/wheelaccumulator.h"
#include "print/processor.h"
#include "print/report.h"
#include "storage/cipher/lbrijndael.h"
#include "form/contentbuilder.h"
#include "form/taxcomputation.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class DeclarationChecks;
class FormScrollArea;
class QAction;
class QMenuBar;
class QScreen;
class TLMDFill;

// The declaration window. It owns every component of the form, reaches them by name and carries the
// handlers of the form's events.
class TForm1 : public QMainWindow, private TaxSheet
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // Every component in component order, with its name and kind.
    const QList<Component> &components() const { return m_components; }

    // The component of that name, letter case not counting; nullptr when there is none.
    QObject *component(const QString &name) const;

    template<typename T>
    T *field(const QString &name) const
    {
        return qobject_cast<T *>(component(name));
    }

    FormScrollArea *scrollArea() const { return m_scrollArea; }

    // The folder of the saved filling: the executable's folder when it can be written, otherwise the
    // user's data folder (see storage/fillinglocation.h), unless set otherwise.
    QString fillingFolder() const { return m_fillingFolder; }
    // Saves and loads in this folder alone.
    void setFillingFolder(const QString &folder)
    {
        m_fillingFolder = folder;
        m_loadFallbackFolder.clear();
    }

    TfrxReport &frxReport1() { return m_frxReport1; }
    QString printIdentifier() const { return m_printIdentifier; }
    // Where the print identifier's processor values come from: the processor itself unless replaced.
    void setProcessorIdentification(ProcessorIdentification identify) { m_identifyProcessor = std::move(identify); }
    DeclarationChecks &checks() { return *m_checks; }

    // Handlers.
    void FormCreate();
    void Panel2Enter();
    void Panel4Enter();
    void Panel3Enter();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void PBNumEdit5Exit();
    void LMDRadioGroup7Click();
    void CheckBox1Click();
    void Nyomtats1Click();
    void Kitltsmentse1Click();
    void Kitltttrlapbetltse1Click();
    void Kilps1Click();
    void frxReport1GetValue(const QString &VarName, QVariant &Value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenu();
    void connectHandlers();
    void registerComponent(const QString &name, ComponentKind kind, QObject *object);
    template<typename Handler>
    auto handler(Handler method);

    void fitToWorkArea();
    void fillWorkAreaByMaximizing();
    bool mayAskForAnotherFit();
    void workAreaChanged();
    void watchWorkArea(QScreen *screen);
    void queueFit();
    void focusChanged(QWidget *now);
    QWidget *focusedField(QWidget *focus) const;
    bool finishFieldInUse();
    void activateSection(TLMDFill *active, TLMDFill *first, TLMDFill *second);
    void scrollBy(int pixels);

    QString fieldText(const QString &name) const override;
    QString caption(const QString &name) const override;
    void setCaption(const QString &name, const QString &caption) override;

    FormScrollArea *m_scrollArea = nullptr;
    QList<Component> m_components;
    QHash<QString, QObject *> m_byName; // keyed by lower-case name
    QHash<const QObject *, ComponentKind> m_kinds;
    QWidget *m_focusSection = nullptr;
    QPointer<QWidget> m_fieldInUse; // the field that last had the focus
    WheelAccumulator m_wheel;
    bool m_firstActivation = true;
    bool m_fitQueued = false;
    int m_unansweredFits = 0;
    TLbRijndael m_LbRijndael1;
    TfrxReport m_frxReport1;
    QString m_printIdentifier;
    ProcessorIdentification m_identifyProcessor = cpuidLeaf1;
    QString m_fillingFolder;
    QString m_loadFallbackFolder;
    // Last, so that it stops watching the fields before they go.
    std::unique_ptr<DeclarationChecks> m_checks;
};
